#pragma once
// An INI file held in memory the way the Windows profile functions see it: sections and keys
// matched without regard to ASCII case, values kept as raw bytes (no code-page conversion),
// the order of sections, keys and comments kept, so a rewrite leaves other keys alone.
#include <memory>
#include <optional>
#include <string>


namespace varmelo {

class IniDocument {
public:
    IniDocument();
    ~IniDocument();
    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;

    // Larger files are not settings files; refusing them keeps a stray file from eating memory.
    static constexpr size_t kMaxBytes = 16u << 20;

    // Parses text; the previous contents are dropped.
    void parse(const std::string& text);
    // Reads a file. A missing file gives an empty document and returns false; a file that
    // exists but cannot be read (or is too large) throws FileError, so a writer never
    // replaces what it could not read.
    bool load(const std::string& path);

    // The value, with one pair of enclosing quotes removed as the Windows profile
    // functions do; nullopt when the section or key is missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    std::string value(const std::string& section, const std::string& key,
                      const std::string& fallback) const;
    bool hasSection(const std::string& section) const;
    // Whether the text began with a UTF-8 byte-order mark (its values are then UTF-8).
    bool isUtf8() const;

    // Sets or adds a key; an existing section or key keeps its spelling and position.
    void set(const std::string& section, const std::string& key, const std::string& value);
    void remove(const std::string& section, const std::string& key);

    // "key=value" lines, sections in their first-seen order.
    std::string serialize() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Integer reading as the settings have always done it: optional sign, decimal digits, or
// hexadecimal after "0x" or "$"; anything else, or a value out of the int range, gives the
// fallback.
int parseIniInt(const std::optional<std::string>& text, int fallback);

}  // namespace varmelo
