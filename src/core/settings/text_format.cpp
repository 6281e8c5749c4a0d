#include "core/settings/text_format.h"

#include <cstdio>

namespace varmelo {

namespace {

// Widths and precisions from a language file are capped so a typo cannot ask for megabytes.
constexpr long kMaxWidth = 1000;

struct Placeholder {
    long index = -1;  // explicit argument index, -1 for "the next one"
    bool left = false;
    long width = -1;
    long precision = -1;
    char type = 0;  // lower-case conversion letter
};

// Parses the placeholder after '%' at fmt[pos]; returns the position after it, or npos when
// the text there is no placeholder we know.
size_t parsePlaceholder(const std::string& fmt, size_t pos, Placeholder& ph) {
    auto number = [&](long& out) {
        size_t start = pos;
        long v = 0;
        while (pos < fmt.size() && fmt[pos] >= '0' && fmt[pos] <= '9') {
            v = v * 10 + (fmt[pos] - '0');
            if (v > kMaxWidth) return false;
            ++pos;
        }
        if (pos > start) out = v;
        return true;
    };
    long first = -1;
    if (!number(first)) return std::string::npos;
    if (first >= 0 && pos < fmt.size() && fmt[pos] == ':') {
        ph.index = first;
        ++pos;
        first = -1;
    }
    if (first < 0) {
        if (pos < fmt.size() && fmt[pos] == '-') {
            ph.left = true;
            ++pos;
        }
        if (!number(ph.width)) return std::string::npos;
    } else {
        ph.width = first;
    }
    if (pos < fmt.size() && fmt[pos] == '.') {
        ++pos;
        ph.precision = 0;
        if (!number(ph.precision)) return std::string::npos;
    }
    if (pos >= fmt.size()) return std::string::npos;
    char t = fmt[pos];
    if (t >= 'A' && t <= 'Z') t = char(t - 'A' + 'a');
    if (t != 'd' && t != 'u' && t != 'x' && t != 'f' && t != 's') return std::string::npos;
    ph.type = t;
    return pos + 1;
}

std::string digitsWithPrecision(std::string digits, long precision) {
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    if (precision > long(digits.size())) digits.insert(0, size_t(precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

// The text of one argument under a placeholder; false when the argument does not fit the type.
bool convert(const Placeholder& ph, const FormatArg& arg, char decimalSeparator, std::string& out) {
    char buf[64];
    switch (ph.type) {
    case 'd':
        if (!std::holds_alternative<int64_t>(arg)) return false;
        out = digitsWithPrecision(std::to_string(std::get<int64_t>(arg)), ph.precision);
        return true;
    case 'u': {
        if (!std::holds_alternative<int64_t>(arg)) return false;
        int64_t v = std::get<int64_t>(arg);
        // A negative number shows as the 32-bit word it is stored in.
        uint64_t u = v < 0 ? uint64_t(uint32_t(v)) : uint64_t(v);
        out = digitsWithPrecision(std::to_string(u), ph.precision);
        return true;
    }
    case 'x': {
        if (!std::holds_alternative<int64_t>(arg)) return false;
        int64_t v = std::get<int64_t>(arg);
        uint64_t u = v < 0 ? uint64_t(uint32_t(v)) : uint64_t(v);
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(u));
        out = digitsWithPrecision(buf, ph.precision);
        return true;
    }
    case 'f': {
        double v;
        if (std::holds_alternative<double>(arg)) v = std::get<double>(arg);
        else if (std::holds_alternative<int64_t>(arg)) v = double(std::get<int64_t>(arg));
        else return false;
        int precision = int(ph.precision < 0 ? 2 : ph.precision);
        if (precision > 30) precision = 30;
        int n = std::snprintf(buf, sizeof buf, "%.*f", precision, v);
        if (n < 0 || size_t(n) >= sizeof buf) return false;  // absurd magnitudes
        out = buf;
        if (auto dot = out.find('.'); dot != std::string::npos) out[dot] = decimalSeparator;
        return true;
    }
    case 's':
        if (std::holds_alternative<std::string>(arg)) out = std::get<std::string>(arg);
        else if (std::holds_alternative<int64_t>(arg)) out = std::to_string(std::get<int64_t>(arg));
        else {
            std::snprintf(buf, sizeof buf, "%g", std::get<double>(arg));
            out = buf;
        }
        if (ph.precision >= 0 && long(out.size()) > ph.precision) out.resize(size_t(ph.precision));
        return true;
    }
    return false;
}

}  // namespace

std::string formatText(const std::string& fmt, const std::vector<FormatArg>& args, char decimalSeparator) {
    std::string out;
    out.reserve(fmt.size() + 16);
    size_t next = 0;  // the argument the next placeholder without index takes
    size_t pos = 0;
    while (pos < fmt.size()) {
        char c = fmt[pos];
        if (c != '%') {
            out += c;
            ++pos;
            continue;
        }
        if (pos + 1 < fmt.size() && fmt[pos + 1] == '%') {
            out += '%';
            pos += 2;
            continue;
        }
        Placeholder ph;
        size_t end = parsePlaceholder(fmt, pos + 1, ph);
        if (end == std::string::npos) {
            out += c;  // not a placeholder: the percent sign stands as written
            ++pos;
            continue;
        }
        size_t argIndex = ph.index >= 0 ? size_t(ph.index) : next;
        next = argIndex + 1;
        std::string text;
        if (argIndex >= args.size() || !convert(ph, args[argIndex], decimalSeparator, text)) {
            out.append(fmt, pos, end - pos);  // missing or mismatched: keep the placeholder
        } else {
            if (ph.width > long(text.size())) {
                std::string pad(size_t(ph.width) - text.size(), ' ');
                text = ph.left ? text + pad : pad + text;
            }
            out += text;
        }
        pos = end;
    }
    return out;
}

}  // namespace varmelo
