#pragma once
// Wildcard masks: "*" any run, "?" one character ("?" right after "*" is dropped),
// "[set]" and "[!set]" with ranges a-z; other characters match themselves. Letters are
// compared after ASCII upper-casing of both sides.
#include <stdexcept>
#include <string>
#include <vector>

namespace varmelo {

class Mask {
public:
    // Throws MaskError "'%s' is an invalid mask at (%d)" for an invalid mask.
    explicit Mask(const std::string& mask);
    bool matches(const std::string& name) const;

    struct Element;  // opaque compiled form
    ~Mask();
    Mask(const Mask&);
    Mask& operator=(const Mask&);
    Mask(Mask&&) noexcept;
    Mask& operator=(Mask&&) noexcept;

private:
    std::vector<Element> elements_;
};

class MaskError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The search options of the find dialogs.
struct SearchOptions {
    bool wholeWord = false;
    bool matchCase = false;
};

// The mask for a search text: the text itself with whole-word, else "*" + text + "*".
std::string searchMask(const std::string& text, bool wholeWord);

// Matches an entry name (Windows-1251 bytes) for a search: with match-case off the name is
// upper-cased by Windows-1251 letters first, with it on the mask is; Latin letters are
// case-insensitive either way.
class NameMatcher {
public:
    NameMatcher(const std::string& text, SearchOptions options);
    bool matches(const std::string& name) const;

private:
    bool matchCase_;
    Mask mask_;
};

}  // namespace varmelo
