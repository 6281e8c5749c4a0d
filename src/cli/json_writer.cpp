#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace varmelo::cli {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0.
size_t utf8Length(const std::string& s, size_t i) {
    auto c = uint8_t(s[i]);
    size_t len;
    uint32_t cp;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) len = 2, cp = c & 0x1F;
    else if ((c & 0xF0) == 0xE0) len = 3, cp = c & 0x0F;
    else if ((c & 0xF8) == 0xF0) len = 4, cp = c & 0x07;
    else return 0;
    if (len > s.size() - i) return 0;
    for (size_t k = 1; k < len; ++k) {
        auto cc = uint8_t(s[i + k]);
        if ((cc & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    static const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

std::string JsonWriter::quote(const std::string& s) {
    std::string out = "\"";
    for (size_t i = 0; i < s.size();) {
        auto c = uint8_t(s[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
            ++i;
        } else if (c < 0x20) {
            switch (c) {
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default: {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            }
            }
            ++i;
        } else if (c < 0x80) {
            out += char(c);
            ++i;
        } else if (size_t len = utf8Length(s, i)) {
            out.append(s, i, len);
            i += len;
        } else {
            out += "\\ufffd";
            ++i;
        }
    }
    out += '"';
    return out;
}

void JsonWriter::beforeItem() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    const bool comma = hasItems_.back();
    hasItems_.back() = true;
    if (comma) out_ += ',';
    if (breakPending_) breakLine();
    else if (comma) out_ += ' ';
}

void JsonWriter::breakLine() {
    breakPending_ = false;
    out_ += '\n';
    out_.append(2 * hasItems_.size(), ' ');
}

JsonWriter& JsonWriter::beginObject() {
    beforeItem();
    out_ += '{';
    hasItems_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    hasItems_.pop_back();
    if (breakPending_) breakLine();
    out_ += '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeItem();
    out_ += '[';
    hasItems_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    hasItems_.pop_back();
    if (breakPending_) breakLine();
    out_ += ']';
    return *this;
}

JsonWriter& JsonWriter::key(const std::string& k) {
    beforeItem();
    out_ += quote(k);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(const std::string& s) {
    beforeItem();
    out_ += quote(s);
    return *this;
}

JsonWriter& JsonWriter::value(uint64_t n) {
    beforeItem();
    out_ += std::to_string(n);
    return *this;
}

JsonWriter& JsonWriter::newline() {
    // Inside a container the break goes after the comma of the next item (or before the
    // closing bracket), indented by depth.
    if (hasItems_.empty()) out_ += '\n';
    else breakPending_ = true;
    return *this;
}

namespace {

template <typename T>
std::string shortestText(T v) {
    if (!std::isfinite(v)) return "null";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace

JsonWriter& JsonWriter::number(double d) {
    beforeItem();
    out_ += shortestText(d);
    return *this;
}

JsonWriter& JsonWriter::number(float f) {
    beforeItem();
    out_ += shortestText(f);
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeItem();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::boolean(bool b) {
    beforeItem();
    out_ += b ? "true" : "false";
    return *this;
}

}  // namespace varmelo::cli
