#pragma once
// How the logic says that something failed, the one way: a function returns a FileResult (or a
// Result, which carries a value besides), whose reason says what went wrong and whose path names
// the file it is about. No bool, int or out-parameter stands for a failure, and no exception
// leaves the module that raised it (a parser may throw inside itself).
//
// Either kind is made by a function that says which it is, Success or Failure; there is no
// default. A Result's value exists only when it succeeded: value() on a failure is a programming
// error and ends the program rather than hand out an empty value.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace korvane {

class FileResult {
  public:
    static FileResult Success() { return FileResult(true, {}, {}); }
    static FileResult Failure(std::string reason, std::string path = {}) {
        return FileResult(false, std::move(reason), std::move(path));
    }

    bool ok() const { return ok_; }
    const std::string& reason() const { return reason_; } // the system's reason when !ok()
    const std::string& path() const { return path_; }     // the path text the reason is about

    // A failure names the path text pathText; a success stays as it is.
    void About(std::string pathText) {
        if (!ok_) {
            path_ = std::move(pathText);
        }
    }

  protected:
    FileResult(bool ok, std::string reason, std::string path)
        : ok_(ok), reason_(std::move(reason)), path_(std::move(path)) {}

  private:
    bool ok_;
    std::string reason_;
    std::string path_;
};

// A value, or why there is none.
template <typename T> class Result : public FileResult {
  public:
    static Result Success(T value) { return Result(FileResult::Success(), std::move(value)); }
    static Result Failure(std::string reason, std::string path = {}) {
        return Result(FileResult::Failure(std::move(reason), std::move(path)), std::nullopt);
    }
    // The failure of another step, passed on.
    static Result Failure(const FileResult& failed) {
        return Failure(failed.reason(), failed.path());
    }

    const T& value() const& { return Checked(value_); }
    T& value() & { return Checked(value_); }
    T&& value() && { return std::move(Checked(value_)); }

  protected:
    Result(FileResult result, std::optional<T> value)
        : FileResult(std::move(result)), value_(std::move(value)) {}

  private:
    template <typename Optional> static decltype(auto) Checked(Optional& value) {
        if (!value) {
            std::abort();
        }
        return *value;
    }

    std::optional<T> value_;
};

} // namespace korvane
