#pragma once
// The reasons the file layer gives for a failed step, as a FileResult. Part of the file layer
// (file_system.hpp); its callers are the layer's own files and nothing else.
#include <cerrno>
#include <string>
#include <system_error>

#include "core/result.hpp"

namespace korvane::file_reasons {

inline constexpr const char* SimulatedFailure = "simulated write failure";

inline FileResult Fail(std::string reason) {
    return FileResult::Failure(std::move(reason));
}

inline std::string Reason(const std::error_code& ec) {
    return ec.message();
}
inline std::string Reason(int err) {
    return std::generic_category().message(err);
}
// The reason of the C library call that just failed; some fail without setting one.
inline std::error_code LastError() {
    return {errno ? errno : EIO, std::generic_category()};
}

#ifdef _WIN32
inline std::string FileNameOf(const std::string& pathText) {
    const std::size_t cut = pathText.find_last_of("\\/");
    return cut == std::string::npos ? pathText : pathText.substr(cut + 1);
}
#endif

// A write or delete the system refused. Game directories often lie below "C:\Program Files",
// where Windows refuses every write of a program without elevation with a bare "access denied":
// there the reason names the file and says what helps.
inline FileResult Refused(const std::error_code& ec, [[maybe_unused]] const std::string& pathText) {
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
inline FileResult ReadOnly([[maybe_unused]] const std::string& pathText) {
    std::string reason = Reason(EACCES);
#ifdef _WIN32
    reason += ": \"" + FileNameOf(pathText) + "\" is read-only";
#endif
    return Fail(reason);
}

// The failure names pathText, the path its caller gave; a success passes as it is.
template <typename R> R About(R result, const std::string& pathText) {
    result.About(pathText);
    return result;
}

} // namespace korvane::file_reasons
