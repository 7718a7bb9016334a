#pragma once
// INI files as the Windows profile API reads and writes them: one table that the logic tests run
// through our reader and writer and the Windows tests through GetPrivateProfileStringA and
// WritePrivateProfileStringA as well.
#include <string>

namespace korvane::testing {

inline const std::string NoFile = "<no file>";

struct IniReadCase {
    int line;
    std::string content; // NoFile: there is no file
    const char* section;
    const char* key;
    std::string expected;
    const char* wine = ""; // why Wine's profile API departs from Windows here
    const char* defaultValue = "unknown";
    unsigned bufferSize = 1024;
};

inline const std::string Quoted = "[s]\r\nq1=\"C:\\F1 2002\\\"\r\nq2='a'\r\nq3= \" a \" \r\n"
                                  "q4=\"a'\r\nq5=\"\r\nq6=\"\"\r\nq7=\"a\"b\"\r\nq8=\"a\r\n";
inline const std::string Sections = "k=0\r\n[s]\r\na=1\r\n[other]\r\nb=0\r\n[S]\r\na=2\r\nb=3\r\n";
inline const std::string Long = "[s]\r\nk=" + std::string(1500, 'x') + "\r\n";

inline const IniReadCase IniReads[] = {
    {__LINE__, "[config]\r\nf1path=C:\\F1\\\r\nlanguage=de\r\n", "config", "language", "de"},
    {__LINE__, "[config]\nf1path=C:\\F1\\\nlanguage=de\n", "config", "language", "de"},
    {__LINE__, "[config]\rf1path=C:\\F1\\\rlanguage=de\r", "config", "f1path", "C:\\F1\\"},
    {__LINE__, "\r\n\r\n[config]\r\n\r\n   \r\n\tlanguage=de\r\n\r\n", "config", "language", "de"},
    {__LINE__, "[config]\r\nlanguage=uk", "config", "language", "uk"},
    {__LINE__, "  [ Config ]  remark\r\nF1Path=x\r\n", " CONFIG\t", "  f1path ", "x"},
    {__LINE__, "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
    {__LINE__, "[s]\r\nk=1\r\n[broken\r\nk2=2\r\n", "s", "k2", "2"},
    {__LINE__, Sections, "s", "b", "unknown"}, // only the first matching section is searched
    {__LINE__, Sections, "s", "a", "1"},
    {__LINE__, Sections, "s", "k", "unknown"}, // lines before the first header are unreachable
    {__LINE__, "[s]\r\n \t key \t = \t value  x \t \r\n", "s", "key", "value  x"},
    {__LINE__, "[s]\r\n\x0bkey\x0c=\x1avalue\x1a\x0b\r\n", "s", "key", "value"},
    {__LINE__, "[s]\r\nk=a=b\r\nK=2\r\n", "s", "k", "a=b"},
    {__LINE__, "[s]\r\nk\r\n", "s", "k", "dflt", "", "dflt"},
    {__LINE__, "[s]\r\nk=\r\n", "s", "k", ""},
    {__LINE__, "[s]\r\n;k=v\r\n", "s", ";k", "v"},
    {__LINE__, "[s]\r\n;k=v\r\n", "s", "k", "unknown"},
    {__LINE__, "[s]\r\nk=v ;c\r\n", "s", "k", "v ;c"},
    {__LINE__, Quoted, "s", "q1", "C:\\F1 2002\\"},
    {__LINE__, Quoted, "s", "q2", "a"},
    {__LINE__, Quoted, "s", "q3", " a "},
    {__LINE__, Quoted, "s", "q4", "\"a'"},
    {__LINE__, Quoted, "s", "q5", "\""},
    {__LINE__, Quoted, "s", "q6", ""},
    {__LINE__, Quoted, "s", "q7", "a\"b"},
    {__LINE__, Quoted, "s", "q8", "\"a"},
    {__LINE__, NoFile, "config", "language", "unknown"},
    {__LINE__, "[config]\r\nlanguage=de\r\n", "version", "date", "unknown"},
    {__LINE__, "[config]\r\n", "config", "f1path", "dflt", "", "dflt   "},
    {__LINE__, NoFile, "config", "f1path", "  dflt", "", "  dflt"},
    {__LINE__, "[config]\r\n", "config", "f1path", "", "Wine keeps one blank of this default", "   "},
    {__LINE__, "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "unknown", "Wine skips a byte-order mark"},
    {__LINE__, "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n", "t", "k", "w"},
    {__LINE__, Long, "s", "k", std::string(1023, 'x')},
    {__LINE__, "[s]\r\nk=" + std::string(1023, 'x') + "\r\n", "s", "k", std::string(1023, 'x')},
    {__LINE__, "[s]\r\nk=abcdef\r\n", "s", "k", "abcd", "", "unknown", 5},
    {__LINE__, "[s]\r\n", "s", "k", "unkn", "", "unknown", 5},
};

struct IniWriteCase {
    int line;
    std::string before; // NoFile: there is no file yet
    const char* section;
    const char* key;
    const char* value;
    std::string after;
    const char* wine = "";
};

// Wine writes the whole file anew from what it parsed; Windows changes only the one line.
inline constexpr const char* WineRewrites = "Wine rewrites the whole file";

inline const IniWriteCase IniWrites[] = {
    {__LINE__, NoFile, "config", "f1path", "C:\\F1\\", "[config]\r\nf1path=C:\\F1\\\r\n"},
    {__LINE__, "[config]\r\nlanguage=de\r\n", "version", "date", "1",
     "[config]\r\nlanguage=de\r\n[version]\r\ndate=1\r\n"},
    {__LINE__, "[config]\r\nlanguage=de", "version", "date", "1",
     "[config]\r\nlanguage=de\r\n[version]\r\ndate=1\r\n"},
    {__LINE__, "[config]\r\nlanguage=de\r\n\r\n[version]\r\ndate=1\r\n", "config", "f1path", "D:\\",
     "[config]\r\nlanguage=de\r\nf1path=D:\\\r\n\r\n[version]\r\ndate=1\r\n", WineRewrites},
    {__LINE__, "[Config]\r\nLanguage=de\r\nf1path=C:\\F1\\\r\n", "config", "language", "uk",
     "[Config]\r\nLanguage=uk\r\nf1path=C:\\F1\\\r\n"},
    {__LINE__, "; Korvane\n\n[config]\n  language = de\n\n[version]\ndate=1\n", "config",
     "language", "uk", "; Korvane\n\n[config]\n  language =uk\n\n[version]\ndate=1\n", WineRewrites},
    {__LINE__, "[config]\r\nlanguage=de\r\n", "config", "language", "de", "[config]\r\nlanguage=de\r\n"},
};

} // namespace korvane::testing
