#include "core/Text.h"

#include <cstdint>

namespace qv {
namespace {

// Decodes one code point at `i`; returns its length in bytes, or 0 for an
// invalid sequence (the caller then takes the single byte as it is).
int decodeOne(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int len = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

void encodeOne(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t fold(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE)
        return c == 0xD7 ? c : c + 32; // Latin-1 capitals, not the multiplication sign
    if (c >= 0x100 && c <= 0x137)
        return c | 1; // Latin Extended-A pairs: capital even, small odd
    if (c >= 0x139 && c <= 0x148)
        return (c & 1) ? c + 1 : c; // capital odd, small even
    if (c >= 0x14A && c <= 0x177)
        return c | 1;
    if (c == 0x178)
        return 0xFF; // Ÿ
    if (c >= 0x179 && c <= 0x17E)
        return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 32; // Greek capitals
    if (c >= 0x400 && c <= 0x40F)
        return c + 80; // Cyrillic Ѐ..Џ
    if (c >= 0x410 && c <= 0x42F)
        return c + 32; // Cyrillic А..Я
    return c;
}

} // namespace

int decodeUtf8(std::string_view utf8, std::size_t i, char32_t& cp) {
    return i < utf8.size() ? decodeOne(utf8, i, cp) : 0;
}

void appendUtf8(std::string& out, char32_t cp) {
    encodeOne(cp, out);
}

std::string foldCase(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const int len = decodeOne(s, i, cp);
        if (len == 0) {
            out += s[i++];
            continue;
        }
        encodeOne(fold(cp), out);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

int compareNames(std::string_view a, std::string_view b) {
    const std::string fa = foldCase(a);
    const std::string fb = foldCase(b);
    // Byte order of UTF-8 is code point order.
    const int c = fa.compare(fb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string cutToWidth(std::string_view s, int width) {
    if (width <= 0)
        return {};
    std::size_t i = 0;
    for (int n = 0; i < s.size() && n < width; ++n) {
        char32_t cp = 0;
        const int len = decodeOne(s, i, cp);
        i += len == 0 ? 1 : static_cast<std::size_t>(len);
    }
    return std::string(s.substr(0, i));
}

int characterCount(std::string_view s) {
    int n = 0;
    for (std::size_t i = 0; i < s.size(); ++n) {
        char32_t cp = 0;
        const int len = decodeOne(s, i, cp);
        i += len == 0 ? 1 : static_cast<std::size_t>(len);
    }
    return n;
}

} // namespace qv
