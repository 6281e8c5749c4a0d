#include "core/io/codepage.h"

#include <array>
#include <cstdint>

namespace varmelo {

namespace {

// Unicode code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
// 0x98 has no character; it maps to U+0098 so that every byte survives a round trip.
constexpr std::array<uint16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

uint32_t toUnicode(uint8_t b) {
    if (b < 0x80) return b;
    if (b >= 0xC0) return 0x0410 + (b - 0xC0);
    return kHigh[b - 0x80];
}

std::optional<uint8_t> fromUnicode(uint32_t cp) {
    if (cp < 0x80) return uint8_t(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return uint8_t(0xC0 + (cp - 0x0410));
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return uint8_t(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string cp1251ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) appendUtf8(out, toUnicode(b));
    return out;
}

std::optional<std::string> utf8ToCp1251(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        auto c = uint8_t(utf8[i]);
        uint32_t cp;
        size_t len;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        } else {
            return std::nullopt;
        }
        if (i + len > utf8.size()) return std::nullopt;
        for (size_t k = 1; k < len; ++k) {
            auto cc = uint8_t(utf8[i + k]);
            if ((cc & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (cc & 0x3F);
        }
        auto b = fromUnicode(cp);
        if (!b) return std::nullopt;
        out += char(*b);
        i += len;
    }
    return out;
}

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

std::string asciiUpper(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = asciiUpper(c);
    return out;
}

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string cp1251Upper(const std::string& s) {
    std::string out = s;
    for (char& ch : out) {
        auto b = uint8_t(ch);
        if (b >= 'a' && b <= 'z') b = uint8_t(b - 32);
        else if (b >= 0xE0) b = uint8_t(b - 32);  // а..я -> А..Я
        else if (b == 0xB8) b = 0xA8;             // ё -> Ё
        else if (b == 0xB3) b = 0xB2;             // і -> І
        else if (b == 0xBF) b = 0xAF;             // ї -> Ї
        else if (b == 0xBA) b = 0xAA;             // є -> Є
        else if (b == 0xA2) b = 0xA1;             // ў -> Ў
        else if (b == 0xBC) b = 0xA3;             // ј -> Ј
        else if (b == 0xB4) b = 0xA5;             // ґ -> Ґ
        else if (b == 0xBE) b = 0xBD;             // ѕ -> Ѕ
        else if (b == 0x9A) b = 0x8A;             // љ -> Љ
        else if (b == 0x9C) b = 0x8C;             // њ -> Њ
        else if (b == 0x9D) b = 0x8D;             // ќ -> Ќ
        else if (b == 0x9E) b = 0x8E;             // ћ -> Ћ
        else if (b == 0x9F) b = 0x8F;             // џ -> Џ
        else if (b == 0x90) b = 0x80;             // ђ -> Ђ
        else if (b == 0x83) b = 0x81;             // ѓ -> Ѓ
        ch = char(b);
    }
    return out;
}

}  // namespace varmelo
