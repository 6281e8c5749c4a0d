#include "cli/json_value.h"

#include <cstdlib>

namespace cli_testing {

namespace {

struct Parser {
    const std::string& s;
    size_t p = 0;

    [[noreturn]] void fail() { throw std::runtime_error("bad JSON at " + std::to_string(p)); }
    void ws() {
        while (p < s.size() && (s[p] == ' ' || s[p] == '\n' || s[p] == '\t' || s[p] == '\r')) ++p;
    }
    void expect(char c) {
        ws();
        if (p >= s.size() || s[p] != c) fail();
        ++p;
    }
    void utf8(std::string& out, unsigned cp) {
        if (cp < 0x80) out += char(cp);
        else if (cp < 0x800) out += char(0xC0 | (cp >> 6)), out += char(0x80 | (cp & 0x3F));
        else out += char(0xE0 | (cp >> 12)), out += char(0x80 | ((cp >> 6) & 0x3F)), out += char(0x80 | (cp & 0x3F));
    }
    std::string str() {
        expect('"');
        std::string out;
        while (true) {
            if (p >= s.size()) fail();
            char c = s[p++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail();
            if (c != '\\') {
                out += c;
                continue;
            }
            if (p >= s.size()) fail();
            char e = s[p++];
            switch (e) {
            case '"': case '\\': case '/': out += e; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u':
                if (p + 4 > s.size()) fail();
                utf8(out, unsigned(std::strtoul(s.substr(p, 4).c_str(), nullptr, 16)));
                p += 4;
                break;
            default: fail();
            }
        }
    }
    Json value() {
        ws();
        if (p >= s.size()) fail();
        Json j;
        char c = s[p];
        if (c == '{') {
            j.type = Json::Object;
            ++p;
            ws();
            if (p < s.size() && s[p] == '}') return ++p, j;
            while (true) {
                std::string k = str();
                expect(':');
                j.fields[k] = value();
                ws();
                if (p < s.size() && s[p] == ',') { ++p; continue; }
                expect('}');
                return j;
            }
        }
        if (c == '[') {
            j.type = Json::Array;
            ++p;
            ws();
            if (p < s.size() && s[p] == ']') return ++p, j;
            while (true) {
                j.items.push_back(value());
                ws();
                if (p < s.size() && s[p] == ',') { ++p; continue; }
                expect(']');
                return j;
            }
        }
        if (c == '"') {
            j.type = Json::String;
            j.string = str();
            return j;
        }
        if (s.compare(p, 4, "true") == 0) return p += 4, j.type = Json::Bool, j.boolean = true, j;
        if (s.compare(p, 5, "false") == 0) return p += 5, j.type = Json::Bool, j;
        if (s.compare(p, 4, "null") == 0) return p += 4, j;
        char* end = nullptr;
        j.number = std::strtod(s.c_str() + p, &end);
        if (end == s.c_str() + p) fail();
        p = size_t(end - s.c_str());
        j.type = Json::Number;
        return j;
    }
};

}  // namespace

Json parseJson(const std::string& text) {
    Parser parser{text};
    Json j = parser.value();
    parser.ws();
    if (parser.p != text.size()) parser.fail();
    return j;
}

}  // namespace cli_testing
