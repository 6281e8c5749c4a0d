#pragma once
// Just enough JSON reading to check the command line's output.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli_testing {

struct Json {
    enum Type { Null, Bool, Number, String, Array, Object } type = Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json& operator[](const std::string& k) const { return fields.at(k); }
    const Json& operator[](size_t i) const { return items.at(i); }
};

// Throws std::runtime_error on malformed text or trailing garbage.
Json parseJson(const std::string& text);

}  // namespace cli_testing
