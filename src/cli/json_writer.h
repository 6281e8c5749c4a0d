#pragma once
// A small JSON writer: the caller opens and closes objects and arrays; commas and string
// escaping are handled here. Strings must be UTF-8; invalid bytes become U+FFFD.
#include <cstdint>
#include <string>
#include <vector>

namespace varmelo::cli {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(const std::string& k);
    JsonWriter& value(const std::string& s);
    JsonWriter& value(const char* s) { return value(std::string(s)); }
    JsonWriter& value(uint64_t n);
    JsonWriter& boolean(bool b);
    // The shortest text that reads back as the same number; null for NaN and infinities,
    // which JSON cannot hold. Floats are written as floats (0.1f gives 0.1).
    JsonWriter& number(double d);
    JsonWriter& number(float f);
    JsonWriter& null();
    // A line break before the next item, for output people also read.
    JsonWriter& newline();

    const std::string& text() const { return out_; }
    static std::string quote(const std::string& s);

private:
    void beforeItem();
    void breakLine();
    std::string out_;
    std::vector<bool> hasItems_;  // per open container
    bool afterKey_ = false;
    bool breakPending_ = false;
};

}  // namespace varmelo::cli
