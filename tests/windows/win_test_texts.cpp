// What the windows show of the logic's texts. They turn every narrow text into a QString with
// fromLocal8Bit, which on Windows decodes the process's ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/failure_log.hpp"
#include "app/game_install.hpp"
#include "app/messages.hpp"
#include "harmonizer/catalogue.hpp"
#include "harmonizer/harmonizer.hpp"
#include "support/fake_install.hpp"

namespace korvane {
namespace {

using testing::TempDir;

std::wstring AsTheWindowsShowIt(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::wstring Widened(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

class WindowsTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        // Windows before 10 (1903) ignores the manifest's code page: there umlauts in the
        // program's texts come out garbled, the known limit of the narrow texts.
        if (GetACP() != CP_UTF8) {
            GTEST_SKIP() << "code page " << GetACP() << ", not the program's UTF-8";
        }
    }
};

TEST_F(WindowsTexts, GermanMessagesKeepTheirUmlauts) {
    TempDir dir;
    GameInstall install;
    install.F1Path = dir.Path().string() + "\\";
    install.HasF1_2002 = true;
    RecordingSink sink;
    RestoreF1_2002(install, true, false, false, "de", sink);
    ASSERT_FALSE(sink.texts.empty());
    EXPECT_EQ(AsTheWindowsShowIt(sink.texts[0]),
              L"Konnte Performance f\u00fcr " + Widened(Teams2002(1)) +
                  L" nicht wiederherstellen,\r\nda original Performancedatei fehlt!");
}

TEST_F(WindowsTexts, PathTextsInAFailureSummary) {
    FailureLog log;
    log.Add("C:\\Spiele\\Gr\xC3\xB6\xC3\x9F"
            "e\\season02\\tracks\\terrain.ini",
            "reason");
    EXPECT_NE(AsTheWindowsShowIt(log.Summary("de")).find(L"C:\\Spiele\\Gr\u00f6\u00dfe\\season02"),
              std::wstring::npos);
}

} // namespace
} // namespace korvane
