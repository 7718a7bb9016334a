#pragma once
// Platform piece: a folder's names and its files' stamps, looked at without following a link,
// and a file opened for reading only, never through a link at its name. For reading a whole
// game installation (the LAN check's digest tree) without leaving it through a link or writing
// anything into it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace korvane {

// What a name holds, looked at without following a link. A Windows junction is a Link too;
// Other is a pipe, a device or a socket; Unknown a name that could not be looked at.
enum class EntryType { File, Folder, Link, Other, Unknown };

// What tells, without reading it, that a file is still the one seen before: its size, its times
// and which file it is, as a version control system's index keeps them.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds since 1970
    std::int64_t changed = 0;  // of its status (POSIX ctime, NTFS ChangeTime); 0 where unknown
    std::uint64_t device = 0;  // POSIX device; Windows volume serial
    std::uint64_t index = 0;   // POSIX inode; Windows file index

    bool operator==(const FileStamp&) const = default;
};

struct FolderEntry {
    std::string name; // POSIX: the bytes as listed; Windows: UTF-8
    EntryType type = EntryType::Other;
    FileStamp stamp{}; // files only
};

// The names in dir, "." and ".." left out, with each file's stamp. dir itself is not entered when
// it is a link.
std::error_code ListFolder(const std::filesystem::path& dir, std::vector<FolderEntry>& entries);

// The path of the entry name (as ListFolder gives it) in dir.
std::filesystem::path ChildPath(const std::filesystem::path& dir, const std::string& name);

// A regular file opened for reading only; a link, a folder or a device at its name is refused.
// Reading it changes nothing in the file (not even its access time where the system allows).
class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::filesystem::path& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Why it could not be opened; empty when it is open.
    std::error_code error() const { return error_; }
    // The stamp of the file opened, taken when it was opened.
    const FileStamp& stamp() const { return stamp_; }
    // Up to size bytes into buffer; 0 at the end. Sets error on failure.
    std::size_t Read(char* buffer, std::size_t size, std::error_code& error);

  private:
    std::intptr_t handle_ = -1;
    std::error_code error_;
    FileStamp stamp_{};
};

} // namespace korvane
