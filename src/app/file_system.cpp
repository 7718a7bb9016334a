#include "app/file_system.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace korvane {

namespace {

int failAtWrite = 0;
int writeCount = 0;
bool skipDiskFlush = false;

// Counts one write; true when this is the write a test asked to fail.
bool NextWriteFails() {
    ++writeCount;
    return failAtWrite != 0 && writeCount == failAtWrite;
}

const char* SimulatedFailure = "simulated write failure";

FileResult Fail(std::string reason) { return {false, std::move(reason), {}}; }

std::string Reason(const std::error_code& ec) { return ec.message(); }
std::string Reason(int err) { return std::generic_category().message(err); }

#ifdef _WIN32
std::string FileNameOf(const std::string& pathText) {
    const std::size_t cut = pathText.find_last_of("\\/");
    return cut == std::string::npos ? pathText : pathText.substr(cut + 1);
}
#endif

// A write or delete the system refused. Game directories often lie below "C:\Program Files",
// where Windows refuses every write of a program without elevation with a bare "access denied":
// there the reason names the file and says what helps.
FileResult Refused(const std::error_code& ec, [[maybe_unused]] const std::string& pathText) {
    std::string reason = Reason(ec);
#ifdef _WIN32
    constexpr int WinErrorAccessDenied = 5;
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        (ec.category() == std::system_category() && ec.value() == WinErrorAccessDenied)) {
        reason += ": Windows refused to write \"" + FileNameOf(pathText) +
                  "\". Run Korvane as administrator or move the game out of \"C:\\Program Files\".";
    }
#endif
    return Fail(reason);
}

// Running as administrator does not help here, so the Windows text says what does.
FileResult ReadOnly([[maybe_unused]] const std::string& pathText) {
    std::string reason = Reason(EACCES);
#ifdef _WIN32
    reason += ": \"" + FileNameOf(pathText) + "\" is read-only";
#endif
    return Fail(reason);
}

#ifndef _WIN32
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The entry of dir that is called name: the exact name first, otherwise the single entry equal
// to it without regard to case. A name that matches nothing (or several) stays as given.
fs::path MatchComponent(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (name == "." || name == ".." || fs::symlink_status(exact, ec).type() != fs::file_type::not_found) {
        return exact;
    }
    fs::path found;
    int matches = 0;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (EqualNoCase(entry, name)) {
            found = dir / entry;
            ++matches;
        }
    }
    return matches == 1 ? found : exact;
}
#endif

// Writes content to a temporary file beside target, flushes it to disk and renames it over
// target. On failure the temporary file is removed and target is untouched.
FileResult ReplaceWithContent(const fs::path& target, const std::string& targetText,
                              const std::string& content) {
    std::error_code ec;
    const fs::path dir = target.parent_path();
    if (!fs::is_directory(dir.empty() ? fs::path(".") : dir, ec)) {
        return Fail(Reason(ENOENT));
    }
    const auto status = fs::status(target, ec);
    if (fs::exists(status)) {
        if (fs::is_directory(status)) {
            return Fail(Reason(EISDIR));
        }
        // A read-only file is refused, as the game's platform refuses to overwrite it.
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
            return ReadOnly(targetText);
        }
    }

    // Built from path pieces, never through a narrow string: on Windows path::string() gives
    // UTF-8, while path texts (and fopen) use the ANSI code page.
    static std::mt19937 random{std::random_device{}()};
    fs::path tempName(".");
    tempName += target.filename();
    tempName += ".korvane-" + std::to_string(random() % 1000000) + ".tmp";
    const fs::path temp = dir / tempName;
    const bool simulateFailure = NextWriteFails();

#ifdef _WIN32
    std::FILE* out = _wfopen(temp.c_str(), L"wb");
#else
    std::FILE* out = std::fopen(temp.c_str(), "wb");
#endif
    if (!out) {
        return Refused(std::error_code(errno, std::generic_category()), targetText);
    }
    const std::size_t wanted = simulateFailure ? content.size() / 2 : content.size();
    bool ok = std::fwrite(content.data(), 1, wanted, out) == wanted && std::fflush(out) == 0;
    int err = ok ? 0 : errno;
    if (!skipDiskFlush) {
#ifdef _WIN32
        ok = ok && _commit(_fileno(out)) == 0;
#else
        ok = ok && fsync(fileno(out)) == 0;
#endif
    }
    if (!ok && err == 0) {
        err = errno;
    }
    ok = (std::fclose(out) == 0) && ok;
    if (ok && simulateFailure) {
        fs::remove(temp, ec);
        return Fail(SimulatedFailure);
    }
    if (ok) {
        fs::rename(temp, target, ec);
        if (!ec) {
            return {};
        }
    } else {
        ec = std::error_code(err, std::generic_category());
    }
    std::error_code ignored;
    fs::remove(temp, ignored);
    return ec ? Refused(ec, targetText) : Fail("write failed");
}

} // namespace

fs::path ResolvePath(const std::string& pathText) {
#ifdef _WIN32
    // A path made from a narrow string widens its bytes one by one, as if they were Latin-1;
    // path texts are in the ANSI code page (UTF-8 where the manifest makes it so).
    const int size = static_cast<int>(pathText.size());
    std::wstring wide(static_cast<std::size_t>(
                          MultiByteToWideChar(CP_ACP, 0, pathText.data(), size, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_ACP, 0, pathText.data(), size, wide.data(), static_cast<int>(wide.size()));
    return fs::path(wide);
#else
    fs::path result;
    std::size_t start = 0;
    if (!pathText.empty() && IsSeparator(pathText[0])) {
        result = "/";
        start = 1;
    }
    while (start <= pathText.size()) {
        std::size_t end = start;
        while (end < pathText.size() && !IsSeparator(pathText[end])) {
            ++end;
        }
        const std::string name = pathText.substr(start, end - start);
        if (!name.empty()) {
            result = MatchComponent(result, name);
        }
        start = end + 1;
    }
    return result;
#endif
}

bool PathExists(const std::string& pathText) {
    std::error_code ec;
    const fs::path path = ResolvePath(pathText);
    if (path.empty()) {
        return false;
    }
    const bool wantsDirectory =
        !pathText.empty() && (pathText.back() == '\\' || pathText.back() == '/');
    return wantsDirectory ? fs::is_directory(path, ec) : fs::exists(path, ec);
}

bool DirectoryWritable(const std::string& dirText) {
    std::error_code ec;
    const fs::path dir = ResolvePath(dirText);
    if (dir.empty() || !fs::is_directory(dir, ec)) {
        return false;
    }
    static std::mt19937 random{std::random_device{}()};
    const fs::path probe = dir / (".korvane-probe-" + std::to_string(random() % 1000000) + ".tmp");
    std::ofstream out(probe, std::ios::binary);
    const bool made = out.is_open();
    out.close();
    fs::remove(probe, ec);
    return made;
}

bool FileExists(const std::string& pathText) {
    std::error_code ec;
    const fs::path path = ResolvePath(pathText);
    if (path.empty() || !fs::is_regular_file(path, ec)) {
        return false;
    }
    [[maybe_unused]] const auto size = fs::file_size(path, ec);
    return !ec;
}

namespace {

FileResult About(FileResult result, const std::string& pathText) {
    if (!result.ok) {
        result.path = pathText;
    }
    return result;
}

FileResult ReadResolved(const fs::path& path, std::string& content) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        return Fail(Reason(EISDIR));
    }
    // A pipe or a device put where a game file or the version file belongs could keep the read
    // waiting for ever, or feed it without end: only regular files are read.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return Fail("not a regular file");
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Fail(Reason(errno ? errno : ENOENT));
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        return Fail(Reason(EIO));
    }
    content = buffer.str();
    return {};
}

FileResult DeleteResolved(const fs::path& path, const std::string& pathText) {
    if (NextWriteFails()) {
        return Fail(SimulatedFailure);
    }
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::is_regular_file(status)) {
        return Fail(Reason(fs::exists(status) ? EISDIR : ENOENT));
    }
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        return ReadOnly(pathText);
    }
    if (!fs::remove(path, ec)) {
        return Refused(ec, pathText);
    }
    return {};
}

} // namespace

FileResult ReadFileText(const std::string& pathText, std::string& content) {
    return About(ReadResolved(ResolvePath(pathText), content), pathText);
}

FileResult CopyFileSafe(const std::string& sourceText, const std::string& targetText) {
    std::string content;
    if (FileResult read = ReadFileText(sourceText, content); !read.ok) {
        return read;
    }
    return WriteFileSafe(targetText, content);
}

FileResult WriteFileSafe(const std::string& targetText, const std::string& content) {
    return About(ReplaceWithContent(ResolvePath(targetText), targetText, content), targetText);
}

FileResult DeleteFileText(const std::string& pathText) {
    return About(DeleteResolved(ResolvePath(pathText), pathText), pathText);
}

namespace test_faults {
void FailWriteNumber(int k) {
    failAtWrite = k == 0 ? 0 : writeCount + k;
}
int WritesSoFar() { return writeCount; }
void SkipDiskFlush(bool skip) { skipDiskFlush = skip; }
} // namespace test_faults

} // namespace korvane
