#include "core/temp_files.hpp"

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace korvane {

namespace {

// The reason of the C library call that just failed; some fail without setting one.
std::error_code LastError() { return {errno ? errno : EIO, std::generic_category()}; }

// Korvane's temporary files: "." + the target's name + ".korvane-" + digits + ".tmp".
bool IsKorvaneTemp(const fs::path& name) {
    const std::u8string text = name.u8string();
    const std::u8string mark = u8".korvane-";
    const std::size_t at = text.rfind(mark);
    if (text.size() < 2 || text[0] != u8'.' || at == std::u8string::npos || at < 2 ||
        !text.ends_with(u8".tmp")) {
        return false;
    }
    const std::size_t first = at + mark.size();
    const std::size_t last = text.size() - 4;
    return first < last && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(first),
                                       text.begin() + static_cast<std::ptrdiff_t>(last),
                                       [](char8_t c) { return c >= u8'0' && c <= u8'9'; });
}

// Removes a temporary file that an earlier run left behind, unless a running copy still holds
// it: such a copy keeps it locked (Linux) or open without leave to delete it (Windows).
void RemoveIfAbandoned(const fs::path& temp) {
    std::error_code ignored;
#ifdef _WIN32
    fs::remove(temp, ignored);
#else
    const int fd = open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fs::remove(temp, ignored);
    }
    close(fd);
#endif
}

} // namespace

std::FILE* CreateTemp(const fs::path& target, fs::path& temp, std::error_code& error) {
    static std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 10; ++attempt) {
        // Built from path pieces, never through a narrow string: on Windows path::string()
        // gives UTF-8, while path texts use the ANSI code page.
        fs::path name(".");
        name += target.filename();
        name += ".korvane-" + std::to_string(random() % 1000000) + ".tmp";
        temp = target.parent_path() / name;
#ifdef _WIN32
        const HANDLE handle = CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = {static_cast<int>(GetLastError()), std::system_category()};
            if (error.value() == ERROR_FILE_EXISTS) {
                continue;
            }
            return nullptr;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
        std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
        if (!file) {
            error = LastError();
            if (fd < 0) {
                CloseHandle(handle);
            } else {
                _close(fd);
            }
            std::error_code ignored;
            fs::remove(temp, ignored);
        }
        return file;
#else
        const int fd =
            open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = LastError();
            if (errno == EEXIST) {
                continue;
            }
            return nullptr;
        }
        // Between open and lock another run may have taken it for left behind: then start over.
        struct stat st {};
        if (flock(fd, LOCK_EX) != 0 || fstat(fd, &st) != 0 || st.st_nlink == 0) {
            close(fd);
            continue;
        }
        std::FILE* file = fdopen(fd, "wb");
        if (!file) {
            error = LastError();
            close(fd);
            unlink(temp.c_str());
        }
        return file;
#endif
    }
    error = std::make_error_code(std::errc::file_exists);
    return nullptr;
}

void RemoveAbandonedTemps(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code entryError;
        if (IsKorvaneTemp(it->path().filename()) &&
            fs::is_regular_file(it->symlink_status(entryError))) {
            RemoveIfAbandoned(it->path());
        }
    }
}

} // namespace korvane
