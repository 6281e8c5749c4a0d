#include "core/settings/ini_document.h"

// Debian's SimpleIni would pull in ConvertUTF.h for its wide-character converter; the
// narrow class with no conversion is the one that keeps bytes as they are.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

struct IniDocument::Impl {
    CSimpleIniA ini{false, false, false};  // bytes, one value per key, no multi-line values

    Impl() { ini.SetSpaces(false); }
};

IniDocument::IniDocument() : impl_(std::make_unique<Impl>()) {}
IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

void IniDocument::parse(const std::string& text) {
    impl_->ini.Reset();
    impl_->ini.SetUnicode(false);
    // The parser stops at a NUL byte; what stands before it is still read.
    impl_->ini.LoadData(text.data(), text.size());
}

bool IniDocument::load(const std::string& path) {
    if (!fileExists(path)) {
        if (directoryExists(path)) throw FileError(kAccessDenied);
        impl_->ini.Reset();
        impl_->ini.SetUnicode(false);
        return false;
    }
    BinaryFile file = BinaryFile::openRead(path);
    uint64_t size = file.size();
    if (size > kMaxBytes) throw FileError(kAccessDenied);
    std::string text(size_t(size), '\0');
    size_t got = file.readSome(text.data(), text.size());
    text.resize(got);
    parse(text);
    return true;
}

std::optional<std::string> IniDocument::value(const std::string& section,
                                              const std::string& key) const {
    const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (!v) return std::nullopt;
    std::string s(v);
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        s = s.substr(1, s.size() - 2);
    return s;
}

std::string IniDocument::value(const std::string& section, const std::string& key,
                               const std::string& fallback) const {
    auto v = value(section, key);
    return v ? *v : fallback;
}

bool IniDocument::hasSection(const std::string& section) const {
    return impl_->ini.GetSection(section.c_str()) != nullptr;
}

bool IniDocument::isUtf8() const { return impl_->ini.IsUnicode(); }

void IniDocument::set(const std::string& section, const std::string& key,
                      const std::string& value) {
    impl_->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
}

void IniDocument::remove(const std::string& section, const std::string& key) {
    impl_->ini.Delete(section.c_str(), key.c_str(), false);
}

std::string IniDocument::serialize() const {
    std::string out;
    impl_->ini.Save(out, true);  // a byte-order mark stays only if the file had one
    // The writer puts two blank lines between sections; one is enough to read the file.
    std::string tidy;
    tidy.reserve(out.size());
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\n' && tidy.size() >= 2 && tidy[tidy.size() - 1] == '\n' &&
            tidy[tidy.size() - 2] == '\n')
            continue;
        tidy += out[i];
    }
    return tidy;
}

int parseIniInt(const std::optional<std::string>& text, int fallback) {
    if (!text) return fallback;
    const std::string& s = *text;
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return fallback;
    long long v = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return fallback;
        v = v * base + d;
        if (v > (long long)INT_MAX + 1) return fallback;
    }
    if (negative) v = -v;
    if (v > INT_MAX || v < INT_MIN) return fallback;
    return int(v);
}

}  // namespace varmelo
