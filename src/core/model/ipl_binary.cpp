#include "core/model/ipl_binary.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

constexpr size_t kHeaderBytes = 76;
constexpr size_t kInstanceBytes = 40;
constexpr size_t kCarBytes = 48;

std::string join(const std::vector<std::string>& parts) {
    std::string s;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) s += ", ";
        s += parts[i];
    }
    return s;
}

std::string num(int32_t v) { return std::to_string(v); }

void appendAll(std::vector<std::string>& lines, std::initializer_list<const char*> items) {
    for (const char* s : items) lines.emplace_back(s);
}

void convert(EntryReader& entry, const std::string& name, std::vector<std::string>& lines) {
    uint8_t h[kHeaderBytes];
    entry.read(h, sizeof h);
    const int32_t instances = i32le(h + 4), cars = i32le(h + 20);
    const uint32_t instanceOffset = u32le(h + 28), carOffset = u32le(h + 60);

    lines.push_back("# IPL generated from binary IPL file " + name);
    lines.emplace_back("# Varmelo 3.0");
    lines.emplace_back("inst");
    if (instances > 0) {
        entry.seek(instanceOffset);
        uint8_t r[kInstanceBytes];
        for (int32_t n = 1; n <= instances; ++n) {
            entry.read(r, sizeof r);
            lines.push_back(join({num(i32le(r + 28)), "item" + std::to_string(n), num(i32le(r + 32)),
                                  formatFloat2(f32le(r)), formatFloat2(f32le(r + 4)),
                                  formatFloat2(f32le(r + 8)), formatFloat2(f32le(r + 12)),
                                  formatFloat2(f32le(r + 16)), formatFloat2(f32le(r + 20)),
                                  formatFloat2(f32le(r + 24)), num(i32le(r + 36))}));
        }
    }
    appendAll(lines, {"end", "cull", "end", "path", "end", "grge", "end", "enex", "end", "pick", "end", "cars"});
    if (cars > 0) {
        entry.seek(carOffset);
        uint8_t r[kCarBytes];
        for (int32_t n = 0; n < cars; ++n) {
            entry.read(r, sizeof r);
            std::vector<std::string> parts;
            for (int i = 0; i < 4; ++i) parts.push_back(formatFloat2(f32le(r + 4 * i)));
            for (int i = 0; i < 8; ++i) parts.push_back(num(i32le(r + 16 + 4 * i)));
            lines.push_back(join(parts));
        }
    }
    appendAll(lines, {"end", "jump", "end", "tcyc", "end", "mult", "end"});
}

}  // namespace

std::string formatFloat2(float v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    // A float times 100 is exact in a double (24 + 7 significant bits), so the rounding below
    // decides halves on the stored value itself.
    const double scaled = std::round(std::fabs(double(v)) * 100.0);
    std::string digits;
    if (scaled < 1e18) {
        digits = std::to_string(uint64_t(scaled));
    } else {
        // Values this large are whole numbers; the exact digits, then two zero decimals.
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(double(v)), std::chars_format::fixed, 0);
        digits.assign(buf, res.ptr);
        digits += "00";
    }
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    // Built front to back: inserting the point and the sign into `digits` makes GCC 12 at -O3
    // warn of overlapping copies (-Wrestrict) that cannot happen.
    std::string text;
    text.reserve(digits.size() + 2);
    if (v < 0 && scaled != 0) text += '-';
    text.append(digits, 0, digits.size() - 2);
    text += '.';
    text.append(digits, digits.size() - 2, 2);
    return text;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) {
        s += l;
        s += "\r\n";
    }
    return s;
}

IplConversion ConvertBinaryIpl(EntryReader& entry, const std::string& entryName) {
    IplConversion out;
    entry.seek(0);
    uint8_t magic[4] = {0, 0, 0, 0};
    if (entry.size() < 4) return out;
    entry.read(magic, 4);
    entry.seek(0);
    if (std::memcmp(magic, "bnry", 4) != 0) return out;
    out.binary = true;
    try {
        convert(entry, entryName, out.lines);
    } catch (const FileError& e) {
        out.error = e.what();
    }
    return out;
}

}  // namespace varmelo
