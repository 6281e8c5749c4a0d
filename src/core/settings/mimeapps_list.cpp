#include "core/settings/mimeapps_list.h"

#include <vector>

namespace varmelo {

namespace {

constexpr const char* kSection = "[Default Applications]";

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

// Lines with their line ends, so unchanged lines are written back exactly.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string::npos ? text.size() : nl + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l;
    return out;
}

std::string content(const std::string& line) {
    std::string s = line;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

std::string lineEnd(const std::string& line) {
    return line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0 ? "\r\n" : "\n";
}

bool isSectionHeader(const std::string& line) {
    std::string t = trim(content(line));
    return !t.empty() && t.front() == '[';
}

// Whether the line is "mimeType=..." (the key compared without case, MIME types being so).
bool isKeyLine(const std::string& line, const std::string& mimeType, std::string* value) {
    std::string c = content(line);
    size_t eq = c.find('=');
    if (eq == std::string::npos) return false;
    if (lower(trim(c.substr(0, eq))) != lower(mimeType)) return false;
    if (value) *value = trim(c.substr(eq + 1));
    return true;
}

}  // namespace

std::string setDefaultApplication(const std::string& text, const std::string& mimeType,
                                  const std::string& desktopFile) {
    std::vector<std::string> lines = splitLines(text);
    const std::string newLine = mimeType + "=" + desktopFile;
    bool inSection = false;
    long lastInSection = -1;  // last non-blank line of the first matching section
    bool sectionSeen = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (isSectionHeader(lines[i])) {
            inSection = trim(content(lines[i])) == kSection;
            if (inSection && !sectionSeen) {
                sectionSeen = true;
                lastInSection = long(i);
            } else if (inSection) {
                lastInSection = long(i);
            }
            continue;
        }
        if (!inSection) continue;
        if (isKeyLine(lines[i], mimeType, nullptr)) {
            lines[i] = newLine + lineEnd(lines[i]);
            return join(lines);
        }
        if (!trim(content(lines[i])).empty()) lastInSection = long(i);
    }
    if (!lines.empty() && lines.back().back() != '\n') lines.back() += "\n";
    if (sectionSeen) {
        lines.insert(lines.begin() + lastInSection + 1, newLine + "\n");
    } else {
        if (!lines.empty() && !trim(content(lines.back())).empty()) lines.push_back("\n");
        lines.push_back(std::string(kSection) + "\n");
        lines.push_back(newLine + "\n");
    }
    return join(lines);
}

std::string removeDefaultApplication(const std::string& text, const std::string& mimeType,
                                     const std::string& desktopFile) {
    std::vector<std::string> lines = splitLines(text);
    std::vector<std::string> out;
    bool inSection = false;
    for (const std::string& line : lines) {
        if (isSectionHeader(line)) {
            inSection = trim(content(line)) == kSection;
            out.push_back(line);
            continue;
        }
        std::string value;
        if (!inSection || !isKeyLine(line, mimeType, &value)) {
            out.push_back(line);
            continue;
        }
        // The value is a list of desktop files separated by ';'.
        std::vector<std::string> kept;
        bool found = false;
        size_t start = 0;
        while (start <= value.size()) {
            size_t semi = value.find(';', start);
            std::string item = trim(value.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
            if (item == desktopFile) found = true;
            else if (!item.empty()) kept.push_back(item);
            if (semi == std::string::npos) break;
            start = semi + 1;
        }
        if (!found) {
            out.push_back(line);
            continue;
        }
        if (kept.empty()) continue;
        std::string rest;
        for (const auto& k : kept) rest += k + ";";
        if (!value.empty() && value.back() != ';') rest.pop_back();
        out.push_back(mimeType + "=" + rest + lineEnd(line));
    }
    return join(out);
}

}  // namespace varmelo
