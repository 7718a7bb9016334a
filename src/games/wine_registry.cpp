#include "games/wine_registry.hpp"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "core/file_system.hpp"
#include "core/path_text.hpp"
#include "core/text_compare.hpp"

namespace fs = std::filesystem;

namespace korvane {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f') {
        return LowerAscii(c) - 'a' + 10;
    }
    return -1;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Wine writes every character above 127 as \x and the UTF-16 unit in hex, so characters beyond
// the first plane come as two units; they are joined here. A unit left alone is no character.
class Utf16Sink {
  public:
    explicit Utf16Sink(std::string& out) : out_(out) {}
    void Unit(std::uint32_t unit) {
        if (high_ != 0 && unit >= 0xDC00 && unit <= 0xDFFF) {
            AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
            high_ = 0;
            return;
        }
        Flush();
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            high_ = unit;
        } else {
            AppendUtf8(out_, unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
    }
    void Byte(char c) {
        Flush();
        out_ += c;
    }
    void Flush() {
        if (high_ != 0) {
            AppendUtf8(out_, 0xFFFD);
            high_ = 0;
        }
    }

  private:
    std::string& out_;
    std::uint32_t high_ = 0;
};

// Reads an escaped text from line[pos] up to the first unescaped `end` and leaves pos behind it.
// Escapes as Wine writes and reads them: \a \b \e \f \n \r \t \v, \x with up to four hex digits,
// up to three octal digits, and a backslash before any other character stands for that character
// (\\, \", \[, \]). False when the closing character is missing.
bool Unescape(const std::string& line, std::size_t& pos, char end, std::string& out) {
    Utf16Sink sink(out);
    while (pos < line.size() && line[pos] != end) {
        char c = line[pos++];
        if (c != '\\' || pos == line.size()) {
            sink.Byte(c);
            continue;
        }
        c = line[pos++];
        static const std::string named = "abefnrtv";
        static const std::string meaning = "\a\b\x1b\f\n\r\t\v";
        if (const auto which = named.find(c); which != std::string::npos) {
            sink.Byte(meaning[which]);
        } else if (c == 'x' && pos < line.size() && HexDigit(line[pos]) >= 0) {
            std::uint32_t unit = 0;
            for (int digits = 0; digits < 4 && pos < line.size() && HexDigit(line[pos]) >= 0;
                 ++digits) {
                unit = unit * 16 + static_cast<std::uint32_t>(HexDigit(line[pos++]));
            }
            sink.Unit(unit);
        } else if (c >= '0' && c <= '7') {
            std::uint32_t unit = static_cast<std::uint32_t>(c - '0');
            for (int digits = 1;
                 digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
                 ++digits) {
                unit = unit * 8 + static_cast<std::uint32_t>(line[pos++] - '0');
            }
            sink.Unit(unit);
        } else {
            sink.Byte(c);
        }
    }
    sink.Flush();
    if (pos == line.size()) {
        return false;
    }
    ++pos;
    return true;
}

// "Software\EA SPORTS\F1 2002" -> "Software\Wow6432Node\EA SPORTS\F1 2002": where the 32-bit
// programs of a 64-bit system keep their keys. Empty for a key outside "Software".
std::string Wow64Key(const std::string& keyPath) {
    const auto cut = keyPath.find('\\');
    if (cut == std::string::npos || !EqualNoCase(keyPath.substr(0, cut), "software")) {
        return {};
    }
    return keyPath.substr(0, cut) + "\\Wow6432Node" + keyPath.substr(cut);
}

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::optional<std::string> WineRegistryValue(const std::string& content, const std::string& keyPath,
                                             const std::string& valueName) {
    std::istringstream lines(content);
    bool inKey = false;
    for (std::string line; std::getline(lines, line);) {
        std::size_t pos = 1;
        std::string name;
        if (line.starts_with('[')) {
            inKey = Unescape(line, pos, ']', name) && EqualNoCase(name, keyPath);
            continue;
        }
        if (!inKey) {
            continue;
        }
        if (line.starts_with("@=")) {
            pos = 2; // the default value, whose name is empty
        } else if (!line.starts_with('"') || !Unescape(line, pos, '"', name) ||
                   line.compare(pos++, 1, "=") != 0) {
            continue;
        }
        if (!EqualNoCase(name, valueName)) {
            continue;
        }
        // A string is "text" or str:"text"; other types (str(2):, hex:, dword:) are not read.
        if (line.compare(pos, 5, "str:\"") == 0) {
            pos += 4;
        }
        std::string text;
        if (line.compare(pos++, 1, "\"") == 0 && Unescape(line, pos, '"', text)) {
            return text.substr(0, text.find('\0'));
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::string WinePathToLocal(const fs::path& prefix, const std::string& windowsPath) {
    const char letter = windowsPath.empty() ? '\0' : LowerAscii(windowsPath[0]);
    if (windowsPath.size() < 2 || letter < 'a' || letter > 'z' || windowsPath[1] != ':') {
        return {};
    }
    const fs::path device = prefix / "dosdevices" / (std::string(1, letter) + ":");
    std::error_code ec;
    fs::path drive = fs::read_symlink(device, ec);
    if (ec) {
        if (!fs::is_directory(device, ec)) {
            return {};
        }
        drive = device;
    } else if (drive.is_relative()) {
        drive = (device.parent_path() / drive).lexically_normal();
    }
    std::string local = ResolvePath(drive.string() + "/" + windowsPath.substr(2)).string();
    if (EndsInSeparator(windowsPath) && (local.empty() || local.back() != '/')) {
        local += '/';
    }
    return local;
}

std::vector<RegistrySource> WineRegistries(const std::vector<fs::path>& prefixes) {
    std::vector<RegistrySource> sources;
    for (const fs::path& prefix : prefixes) {
        // Read once, when first asked: a prefix's registry is a few megabytes.
        auto content = std::make_shared<std::optional<std::string>>();
        auto read = [prefix, content](const std::string& keyPath, const std::string& valueName) {
            if (!*content) {
                *content = ReadWhole(prefix / "system.reg");
            }
            for (const std::string& key : {Wow64Key(keyPath), keyPath}) {
                if (key.empty()) {
                    continue;
                }
                if (const auto value = WineRegistryValue(**content, key, valueName)) {
                    return WinePathToLocal(prefix, *value);
                }
            }
            return std::string();
        };
        sources.push_back({prefix.string(), read});
    }
    return sources;
}

} // namespace korvane
