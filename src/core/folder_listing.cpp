#include "core/folder_listing.hpp"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace korvane {

#ifdef _WIN32

namespace {

std::error_code LastWindowsError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

// Windows counts 100-nanosecond steps from 1601.
std::int64_t UnixNanoseconds(std::int64_t fileTime) {
    return (fileTime - 116444736000000000LL) * 100;
}

std::int64_t FileTimeValue(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

std::string Utf8(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

// The stamp of an open handle, and whether it holds a regular file.
bool StampOfHandle(HANDLE handle, FileStamp& stamp, EntryType& type) {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandle(handle, &info)) {
        return false;
    }
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modified = UnixNanoseconds(FileTimeValue(info.ftLastWriteTime));
    stamp.changed = GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)
                        ? UnixNanoseconds(basic.ChangeTime.QuadPart)
                        : 0;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    type = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? EntryType::Link
           : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)   ? EntryType::Folder
                                                                  : EntryType::File;
    return true;
}

// Opens the name itself, never what a link or junction there leads to.
HANDLE OpenName(const fs::path& path, DWORD access, DWORD flags) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | flags, nullptr);
}

} // namespace

std::error_code ListFolder(const fs::path& dir, std::vector<FolderEntry>& entries) {
    entries.clear();
    const DWORD attributes = GetFileAttributesW(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return LastWindowsError();
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::make_error_code(std::errc::not_a_directory);
    }
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileExW((dir / L"*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::error_code() : LastWindowsError();
    }
    std::error_code error;
    do {
        const std::wstring wide = data.cFileName;
        if (wide == L"." || wide == L"..") {
            continue;
        }
        FolderEntry entry{Utf8(data.cFileName), EntryType::File, {}};
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            entry.type = EntryType::Link;
        } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entry.type = EntryType::Folder;
        } else {
            // The file's identity needs a handle, opened for its attributes only.
            const HANDLE handle =
                OpenName(dir / wide, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
            if (handle == INVALID_HANDLE_VALUE || !StampOfHandle(handle, entry.stamp, entry.type)) {
                entry.type = EntryType::Unknown;
            }
            if (handle != INVALID_HANDLE_VALUE) {
                CloseHandle(handle);
            }
        }
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find, &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        error = LastWindowsError();
    }
    FindClose(find);
    return error;
}

fs::path ChildPath(const fs::path& dir, const std::string& name) {
    return dir / fs::path(std::u8string(name.begin(), name.end()));
}

ReadOnlyFile::ReadOnlyFile(const fs::path& path) {
    const HANDLE handle = OpenName(path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN);
    if (handle == INVALID_HANDLE_VALUE) {
        error_ = LastWindowsError();
        return;
    }
    EntryType type = EntryType::Unknown;
    if (!StampOfHandle(handle, stamp_, type) || type != EntryType::File) {
        error_ = type == EntryType::Unknown ? LastWindowsError()
                                            : std::make_error_code(std::errc::invalid_argument);
        CloseHandle(handle);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(handle);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_ != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

std::size_t ReadOnlyFile::Read(char* buffer, std::size_t size, std::error_code& error) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(reinterpret_cast<HANDLE>(handle_), buffer, wanted, &got, nullptr)) {
        error = LastWindowsError();
        return 0;
    }
    return got;
}

#else

namespace {

std::error_code LastError() {
    return {errno ? errno : EIO, std::generic_category()};
}

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStamp StampOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_size), Nanoseconds(st.st_mtim),
            Nanoseconds(st.st_ctim), static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino)};
}

EntryType TypeOf(mode_t mode) {
    return S_ISREG(mode)   ? EntryType::File
           : S_ISDIR(mode) ? EntryType::Folder
           : S_ISLNK(mode) ? EntryType::Link
                           : EntryType::Other;
}

} // namespace

std::error_code ListFolder(const fs::path& dir, std::vector<FolderEntry>& entries) {
    entries.clear();
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return LastError();
    }
    DIR* listing = fdopendir(fd);
    if (listing == nullptr) {
        const std::error_code error = LastError();
        close(fd);
        return error;
    }
    std::error_code error;
    for (;;) {
        errno = 0;
        const dirent* found = readdir(listing);
        if (found == nullptr) {
            if (errno != 0) {
                error = LastError();
            }
            break;
        }
        const std::string name = found->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        FolderEntry entry{name, EntryType::Unknown, {}};
        struct stat st {};
        if (fstatat(fd, found->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            entry.type = TypeOf(st.st_mode);
            if (entry.type == EntryType::File) {
                entry.stamp = StampOf(st);
            }
        }
        entries.push_back(std::move(entry));
    }
    closedir(listing);
    return error;
}

fs::path ChildPath(const fs::path& dir, const std::string& name) {
    return dir / name;
}

ReadOnlyFile::ReadOnlyFile(const fs::path& path) {
    // O_NOATIME spares the file system a write per file read, but only the file's owner may ask
    // for it. O_NONBLOCK keeps a pipe put at the name since it was listed from blocking the open.
    constexpr int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = open(path.c_str(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM) {
        fd = open(path.c_str(), flags);
    }
    if (fd < 0) {
        error_ = LastError();
        return;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        error_ = LastError();
    } else if (!S_ISREG(st.st_mode)) {
        error_ = std::make_error_code(std::errc::invalid_argument);
    }
    if (error_) {
        close(fd);
        return;
    }
    stamp_ = StampOf(st);
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    handle_ = fd;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_ >= 0) {
        close(static_cast<int>(handle_));
    }
}

std::size_t ReadOnlyFile::Read(char* buffer, std::size_t size, std::error_code& error) {
    for (;;) {
        const ssize_t got = read(static_cast<int>(handle_), buffer, size);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            error = LastError();
            return 0;
        }
    }
}

#endif

} // namespace korvane
