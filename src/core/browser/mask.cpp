#include "core/browser/mask.h"

#include <bitset>

#include "core/io/codepage.h"
#include "core/settings/text_format.h"

namespace varmelo {

// More star places than this make a mask invalid (a star, or a run of them, followed by
// a character, a set or the end of the mask is one place).
constexpr int kMaxStarPlaces = 30;

struct Mask::Element {
    enum Kind { Literal, AnyOne, Set, Star };
    explicit Element(Kind k) : kind(k) {}
    Kind kind;
    unsigned char ch = 0;           // Literal: the ASCII-upper-cased byte
    std::bitset<256> members;       // Set: ASCII-upper-cased members
    bool negated = false;           // Set: "[!...]"
};

namespace {

[[noreturn]] void invalid(const std::string& mask, size_t position) {
    throw MaskError(formatText("'%s' is an invalid mask at (%d)", {mask, int64_t(position)}));
}

unsigned char upperByte(unsigned char c) { return uint8_t(asciiUpper(char(c))); }

// Reads a set whose "[" is at mask[open]; returns the position after its "]".
// Error positions are 1-based: an unclosed set reports the position after the end of the
// mask, an empty set its "]", a "-" without a character before it the "-" itself.
size_t readSet(const std::string& mask, size_t open, Mask::Element& e) {
    size_t pos = open + 1;
    if (pos < mask.size() && mask[pos] == '!') {
        e.negated = true;
        ++pos;
    }
    std::bitset<256> raw;
    bool havePrevious = false;  // the last thing read was a single character
    while (true) {
        if (pos >= mask.size()) invalid(mask, mask.size() + 1);
        auto c = static_cast<unsigned char>(mask[pos]);
        if (c == ']') {
            if (raw.none()) invalid(mask, pos + 1);
            break;
        }
        if (c == '-') {
            // Only "[a-]" gets here legitimately: a dash right after a single character and
            // right before the end of the set is the dash itself.
            if (!havePrevious || pos + 1 >= mask.size() || mask[pos + 1] != ']') invalid(mask, pos + 1);
            raw.set('-');
            havePrevious = false;
            ++pos;
            continue;
        }
        if (pos + 1 < mask.size() && mask[pos + 1] == '-') {
            if (pos + 2 >= mask.size()) invalid(mask, mask.size() + 1);
            if (mask[pos + 2] != ']') {
                auto last = static_cast<unsigned char>(mask[pos + 2]);
                // A reversed range adds nothing; the set may still be empty at its "]".
                for (unsigned v = c; v <= last; ++v) raw.set(v);
                havePrevious = false;  // "a-b-c": the second dash has no start of its own
                pos += 3;
                continue;
            }
        }
        raw.set(c);
        havePrevious = true;
        ++pos;
    }
    for (unsigned v = 0; v < 256; ++v)
        if (raw.test(v)) e.members.set(upperByte(static_cast<unsigned char>(v)));
    return pos + 1;
}

}  // namespace

Mask::Mask(const std::string& mask) {
    int starPlaces = 0;
    size_t pos = 0;
    auto endStarRun = [&](size_t at) {
        if (!elements_.empty() && elements_.back().kind == Element::Star && ++starPlaces > kMaxStarPlaces)
            invalid(mask, at + 1);
    };
    while (pos < mask.size()) {
        char c = mask[pos];
        if (c == '*') {
            if (elements_.empty() || elements_.back().kind != Element::Star) elements_.emplace_back(Element::Star);
            ++pos;
            continue;
        }
        if (c == '?') {
            // "*?" behaves as "*": the one character is absorbed by the run before it
            if (elements_.empty() || elements_.back().kind != Element::Star) elements_.emplace_back(Element::AnyOne);
            ++pos;
            continue;
        }
        endStarRun(pos);
        if (c == '[') {
            Element e{Element::Set};
            pos = readSet(mask, pos, e);
            elements_.push_back(std::move(e));
            continue;
        }
        Element e{Element::Literal};
        e.ch = upperByte(static_cast<unsigned char>(c));
        elements_.push_back(std::move(e));
        ++pos;
    }
    endStarRun(mask.size());
}

Mask::~Mask() = default;
Mask::Mask(const Mask&) = default;
Mask& Mask::operator=(const Mask&) = default;
Mask::Mask(Mask&&) noexcept = default;
Mask& Mask::operator=(Mask&&) noexcept = default;

bool Mask::matches(const std::string& name) const {
    auto one = [&](const Element& e, unsigned char c) {
        switch (e.kind) {
        case Element::Literal: return upperByte(c) == e.ch;
        case Element::AnyOne: return true;
        case Element::Set: return e.members.test(upperByte(c)) != e.negated;
        case Element::Star: break;
        }
        return false;
    };
    // Every element but "*" takes exactly one character, so greedy matching that only ever
    // backtracks to the latest star is exact, and costs at most elements x characters.
    size_t m = 0, n = 0;
    size_t starElement = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < elements_.size() && elements_[m].kind == Element::Star) {
            starElement = m++;
            starName = n;
        } else if (m < elements_.size() && one(elements_[m], static_cast<unsigned char>(name[n]))) {
            ++m;
            ++n;
        } else if (starElement != std::string::npos) {
            m = starElement + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < elements_.size() && elements_[m].kind == Element::Star) ++m;
    return m == elements_.size();
}

std::string searchMask(const std::string& text, bool wholeWord) {
    return wholeWord ? text : "*" + text + "*";
}

namespace {

Mask compileForSearch(const std::string& mask, bool matchCase) {
    if (!matchCase) return Mask(mask);
    // Compiled once as typed first so that an error names the mask the user wrote.
    Mask asTyped(mask);
    return Mask(cp1251Upper(mask));
}

}  // namespace

NameMatcher::NameMatcher(const std::string& text, SearchOptions options)
    : matchCase_(options.matchCase), mask_(compileForSearch(searchMask(text, options.wholeWord), options.matchCase)) {}

bool NameMatcher::matches(const std::string& name) const {
    return matchCase_ ? mask_.matches(name) : mask_.matches(cp1251Upper(name));
}

}  // namespace varmelo
