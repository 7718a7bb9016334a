// Path texts to real files: the exact name first, else the one entry equal without regard to case.
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "core/file_system.hpp"
#include "core/path_text.hpp"
#include "core/text_compare.hpp"

namespace fs = std::filesystem;

namespace korvane {

namespace {

#ifndef _WIN32
// The listings a DirectoryListings holds, while one lives.
thread_local std::map<fs::path, std::vector<std::string>>* heldListings = nullptr;

std::vector<std::string> List(const fs::path& dir) {
    std::vector<std::string> entries;
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        entries.push_back(it->path().filename().string());
    }
    return entries;
}

// The entry of dir that is called name: the exact name first (unless the caller knows it is not
// there), otherwise the single entry equal to it without regard to case. A name that matches
// nothing (or several) stays as given.
fs::path MatchComponent(const fs::path& dir, const std::string& name, bool exactMissing = false) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (name == "." || name == ".." ||
        (!exactMissing && fs::symlink_status(exact, ec).type() != fs::file_type::not_found)) {
        return exact;
    }
    std::vector<std::string> fresh;
    if (!heldListings || !heldListings->contains(dir)) {
        fresh = List(dir);
    }
    const std::vector<std::string>& entries =
        heldListings ? heldListings->try_emplace(dir, std::move(fresh)).first->second : fresh;
    const std::optional<std::size_t> found = MatchName(entries, name);
    return found ? dir / entries[*found] : exact;
}
#endif

} // namespace

DirectoryListings::DirectoryListings() {
#ifndef _WIN32
    if (!heldListings) {
        heldListings = &listings_;
    }
#endif
}

DirectoryListings::~DirectoryListings() {
#ifndef _WIN32
    if (heldListings == &listings_) {
        heldListings = nullptr;
    }
#endif
}

fs::path ResolvePath(const std::string& pathText) {
#ifdef _WIN32
    // A path made from a narrow string widens its bytes one by one, as if they were Latin-1;
    // path texts are in the ANSI code page (UTF-8 where the manifest makes it so).
    const int size = static_cast<int>(pathText.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, pathText.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, pathText.data(), size, wide.data(),
                        static_cast<int>(wide.size()));
    return fs::path(wide);
#else
    fs::path root;
    std::vector<std::string> names;
    std::size_t start = 0;
    if (!pathText.empty() && IsSeparator(pathText[0])) {
        root = "/";
        start = 1;
    }
    while (start <= pathText.size()) {
        std::size_t end = start;
        while (end < pathText.size() && !IsSeparator(pathText[end])) {
            ++end;
        }
        if (end > start) {
            names.push_back(pathText.substr(start, end - start));
        }
        start = end + 1;
    }
    auto exactly = [&](std::size_t count) {
        fs::path path = root;
        for (std::size_t i = 0; i < count; ++i) {
            path /= names[i];
        }
        return path;
    };
    auto exists = [](const fs::path& path) {
        std::error_code ec;
        return fs::symlink_status(path.empty() ? fs::path(".") : path, ec).type() !=
               fs::file_type::not_found;
    };
    // Where every name exists as given, each one matches exactly: the whole path, or all but
    // its last name, needs no search of the directories on the way.
    const fs::path whole = exactly(names.size());
    if (names.empty() || exists(whole)) {
        return whole;
    }
    std::size_t matched = names.size() - 1;
    fs::path result = exactly(matched);
    if (!exists(result)) {
        result = root;
        matched = 0;
    }
    for (std::size_t i = matched; i < names.size(); ++i) {
        // All but the last name existing as given, the whole path did not: the last one is not.
        result = MatchComponent(result, names[i], matched == names.size() - 1);
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
    return EndsInSeparator(pathText) ? fs::is_directory(path, ec) : fs::exists(path, ec);
}

bool DirectoryWritable(const std::string& dirText) {
    std::error_code ec;
    const fs::path dir = ResolvePath(dirText);
    if (dir.empty() || !fs::is_directory(dir, ec)) {
        return false;
    }
#ifdef _WIN32
    // The directory's access rights decide, as they would for a new file, and opening it for
    // adding one adds nothing (its read-only attribute means nothing to Windows).
    const HANDLE handle = CreateFileW(dir.c_str(), FILE_ADD_FILE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(handle);
    return true;
#else
    // Permissions, access control lists and a file system mounted read-only, as for a new file.
    return access(dir.c_str(), W_OK | X_OK) == 0;
#endif
}

bool FileExists(const std::string& pathText) {
    std::error_code ec;
    const fs::path path = ResolvePath(pathText);
    return !path.empty() && fs::is_regular_file(fs::status(path, ec));
}

NameLook LookAtName(const fs::path& path) {
#ifdef _WIN32
    std::error_code ec;
    const auto held = fs::symlink_status(path, ec);
    if (fs::is_regular_file(held)) {
        const auto size = fs::file_size(path, ec);
        return ec ? NameLook{NameType::Other} : NameLook{NameType::File, size};
    }
    if (fs::is_symlink(held)) {
        return {fs::exists(fs::status(path, ec)) ? NameType::Other : NameType::LinkNowhere};
    }
    return {fs::exists(held) ? NameType::Other : NameType::None};
#else
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) {
        return {};
    }
    if (S_ISREG(st.st_mode)) {
        return {NameType::File,
                static_cast<std::uintmax_t>(st.st_size),
                st.st_nlink,
                {st.st_dev, st.st_ino}};
    }
    if (S_ISLNK(st.st_mode)) {
        struct stat target {};
        return {stat(path.c_str(), &target) == 0 ? NameType::Other : NameType::LinkNowhere};
    }
    return {NameType::Other};
#endif
}

bool SameIdentity([[maybe_unused]] const FileIdentity& identity,
                  [[maybe_unused]] const std::string& pathText) {
#ifdef _WIN32
    return false;
#else
    struct stat st {};
    return stat(ResolvePath(pathText).c_str(), &st) == 0 && st.st_dev == identity.device &&
           st.st_ino == identity.inode;
#endif
}

bool SameFile(const std::string& aText, const std::string& bText) {
    // A file with one name shares it with nothing: no need to look for the other name, which
    // costs a search of its directory when it does not exist.
    std::error_code ec;
    const fs::path a = ResolvePath(aText);
    const auto names = fs::hard_link_count(a, ec);
    return !ec && names > 1 && fs::equivalent(a, ResolvePath(bText), ec);
}

} // namespace korvane
