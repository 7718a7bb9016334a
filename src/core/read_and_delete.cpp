// Reading and deleting files through the file layer: only regular files, each named in its result.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/disk_flush.hpp"
#include "core/file_reasons.hpp"
#include "core/file_system.hpp"

namespace fs = std::filesystem;

namespace korvane {

using namespace file_reasons;

namespace {

using Step = FileFaults::Step;

FileResult ReadResolved(const fs::path& path, std::string& content) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        return Fail(Reason(EISDIR));
    }
    // A pipe or a device put where a game file or the version file belongs could keep the read
    // waiting for ever, or feed it without end: only regular files are read.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return Fail(NotARegularFile);
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
    return FileResult::Success();
}

FileResult DeleteResolved(const fs::path& path, const std::string& pathText, FileFaults& faults) {
    if (faults.Fails(Step::Write, pathText)) {
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
    return FileResult::Success();
}

} // namespace

Result<std::string> ReadFileText(const std::string& pathText) {
    std::string content;
    const FileResult read = About(ReadResolved(ResolvePath(pathText), content), pathText);
    return read.ok() ? Result<std::string>::Success(std::move(content))
                     : Result<std::string>::Failure(read);
}

FileResult DeleteFileText(const std::string& pathText, FileFaults& faults) {
    return About(DeleteResolved(ResolvePath(pathText), pathText, faults), pathText);
}

std::vector<FileResult> DeleteFilesSafe(const std::vector<std::string>& pathTexts,
                                        FileFaults& faults) {
    std::vector<FileResult> results;
    std::vector<fs::path> dirs;
    std::vector<std::size_t> dirOf;
    for (const std::string& pathText : pathTexts) {
        const fs::path path = ResolvePath(pathText);
        results.push_back(About(DeleteResolved(path, pathText, faults), pathText));
        const auto dir = std::find(dirs.begin(), dirs.end(), path.parent_path());
        dirOf.push_back(static_cast<std::size_t>(dir - dirs.begin()));
        if (dir == dirs.end()) {
            dirs.push_back(path.parent_path());
        }
    }
    std::vector<int> flushed = FlushEntries(dirs, faults);
    for (std::size_t d = 0; d < dirs.size(); ++d) {
        if (faults.Fails(Step::Flush, dirs[d].string())) {
            flushed[d] = -1;
        }
    }
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (const int err = flushed[dirOf[i]]; results[i].ok() && err != 0) {
            results[i] = About(err < 0 ? Fail("simulated flush failure")
                                       : Refused({err, std::generic_category()}, pathTexts[i]),
                               pathTexts[i]);
        }
    }
    return results;
}

} // namespace korvane
