#pragma once
// Helpers for the tests that run against the real Windows API (or Wine's rendering of it).
#include <windows.h>

#include <string>

namespace korvane::testing {

// Wine exports this from its ntdll; Windows does not. Used only to decide which comparisons
// with the profile API are meaningful: where Wine departs from Windows, Windows' rules win.
inline bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

inline std::string WithoutTrailingSeparator(std::string text) {
    while (!text.empty() && (text.back() == '\\' || text.back() == '/')) {
        text.pop_back();
    }
    return text;
}

} // namespace korvane::testing
