#include "core/settings/actdata_file.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "core/io/binary_file.h"
#include "core/io/file_system.h"
#include "core/settings/command_table.h"
#include "core/settings/settings_location.h"

namespace varmelo {

namespace {

constexpr size_t kMaxFileBytes = 1u << 20;
constexpr int kMaxDepth = 8;

bool isCommandChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// A name the file may hold: a command, not a menu that only exists on the menu bar or a page.
bool isStorableCommand(std::string_view name) {
    const CommandDef* c = findCommand(name);
    return c && c->kind != CommandKind::Menu && c->kind != CommandKind::PageMenu;
}

bool isSubmenuCommand(std::string_view name) {
    const CommandDef* c = findCommand(name);
    return c && c->kind == CommandKind::Submenu;
}

// The top-level menu a command sits in, however deep; empty for none.
std::string_view topMenuOf(std::string_view name) {
    const CommandDef* c = findCommand(name);
    if (!c || c->menu == kMenuBar) return {};
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const CommandDef* parent = findCommand(c->menu);
        if (!parent) return {};
        if (parent->menu == kMenuBar) return parent->name;
        c = parent;
    }
    return {};
}

bool captionNeedsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '%' || c == ':' || c == '@' || c == ',' || c == '(' ||
           c == ')' || c == '=';
}

std::string escapeCaption(std::string_view s) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (captionNeedsEscape(c)) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> unescapeCaption(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            if (captionNeedsEscape((unsigned char)s[i])) return std::nullopt;
            out += s[i];
            continue;
        }
        if (s.size() - i < 3) return std::nullopt;
        int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += char(hi * 16 + lo);
        i += 2;
    }
    return out;
}

// Recursive-descent reader of an item list; fails on bad shape only. Gives the known names
// and separators of the outer list: nested lists are checked, but the table decides what a
// submenu holds.
class ListParser {
public:
    explicit ListParser(const std::string& s) : s_(s) {}

    std::optional<std::vector<std::string>> parseAll() {
        std::vector<std::string> items;
        if (!parseList(&items, 0)) return std::nullopt;
        if (pos_ != s_.size()) return std::nullopt;
        return items;
    }

private:
    bool parseList(std::vector<std::string>* out, int depth) {
        if (depth > kMaxDepth) return false;
        if (pos_ == s_.size() || s_[pos_] == ')') return true;  // an empty list
        for (;;) {
            if (!parseItem(out, depth)) return false;
            if (pos_ < s_.size() && s_[pos_] == ',') {
                ++pos_;
                continue;
            }
            return true;
        }
    }

    bool parseItem(std::vector<std::string>* out, int depth) {
        if (pos_ < s_.size() && s_[pos_] == '-') {
            ++pos_;
            if (out) out->push_back(kBarSeparator);
            return true;
        }
        size_t start = pos_;
        while (pos_ < s_.size() && isCommandChar(s_[pos_])) ++pos_;
        if (pos_ == start) return false;
        std::string name = s_.substr(start, pos_ - start);
        if (pos_ < s_.size() && s_[pos_] == '(') {
            ++pos_;
            if (!parseList(nullptr, depth + 1)) return false;
            if (pos_ >= s_.size() || s_[pos_] != ')') return false;
            ++pos_;
        }
        // A name from another version is left out.
        if (out && isStorableCommand(name)) out->push_back(std::move(name));
        return true;
    }

    const std::string& s_;
    size_t pos_ = 0;
};

// Which item of the menu bar a "menu=" line stands for; empty when none.
std::string menuBarItemOf(const std::string& caption, const std::string& command,
                          const std::vector<std::string>& items) {
    if (!command.empty()) {
        if (findCommand(command)->menu == kMenuBar) return command;
        if (items.empty()) return command;
    }
    // Captions change with the language; the commands a menu holds do not.
    for (const std::string& item : items)
        if (std::string_view top = topMenuOf(item); !top.empty()) return std::string(top);
    for (const CommandDef& c : commandTable())
        if (c.menu == kMenuBar && c.caption == caption) return std::string(c.name);
    return {};
}

void formatList(const std::vector<std::string>& items, bool withSubmenuItems, std::string& out) {
    bool first = true;
    for (const std::string& name : items) {
        if (name != kBarSeparator && !isStorableCommand(name)) continue;
        if (!first) out += ',';
        first = false;
        out += name;
        if (isSubmenuCommand(name)) {
            out += '(';
            if (withSubmenuItems) formatList(defaultMenuItems(name), true, out);
            out += ')';
        }
    }
}

}  // namespace

std::optional<BarLayout> parseBarLayout(const std::string& text) {
    if (text.size() > kMaxFileBytes || text.find('\0') != std::string::npos) return std::nullopt;
    BarLayout layout;
    bool version = false, toolbar = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        std::string line = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        start = nl == std::string::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) return std::nullopt;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "version") {
            if (version || value != "1") return std::nullopt;
            version = true;
        } else if (!version) {
            return std::nullopt;
        } else if (key == "toolbar") {
            if (toolbar) return std::nullopt;
            auto items = ListParser(value).parseAll();
            if (!items) return std::nullopt;
            layout.toolbar = std::move(*items);
            toolbar = true;
        } else if (key == "menu") {
            size_t colon = value.find(':');
            if (colon == std::string::npos) return std::nullopt;
            std::string head = value.substr(0, colon), command;
            size_t at = head.find('@');
            if (at != std::string::npos) {
                command = head.substr(at + 1);
                if (command.empty() || !std::all_of(command.begin(), command.end(), isCommandChar))
                    return std::nullopt;
                if (!isStorableCommand(command)) command.clear();
                head.resize(at);
            }
            auto caption = unescapeCaption(head);
            auto items = ListParser(value.substr(colon + 1)).parseAll();
            if (!caption || !items) return std::nullopt;
            std::string name = menuBarItemOf(*caption, command, *items);
            if (!name.empty()) layout.menuBar.push_back(std::move(name));
        } else {
            return std::nullopt;
        }
    }
    if (!toolbar) return std::nullopt;
    return layout;
}

std::string formatBarLayout(const BarLayout& layout) {
    std::string out = "# Varmelo toolbar and menu bar\nversion=1\ntoolbar=";
    formatList(layout.toolbar, false, out);
    out += '\n';
    for (const std::string& name : layout.menuBar) {
        if (name == kBarSeparator) continue;
        const CommandDef* c = findCommand(name);
        // A top-level menu is written whole; a command on the bar by itself has no items.
        const bool menu = c && c->menu == kMenuBar;
        out += "menu=" + escapeCaption(menu ? c->caption : std::string_view(name));
        if (isStorableCommand(name)) out += "@" + name;
        out += ':';
        if (menu) formatList(defaultMenuItems(name), true, out);
        out += '\n';
    }
    return out;
}

BarLayout loadBarLayout(const std::string& path) {
    try {
        if (!fileExists(path) || fileSize(path) > kMaxFileBytes) return defaultBarLayout();
        BinaryFile f = BinaryFile::openRead(path);
        std::string text(size_t(f.size()), '\0');
        text.resize(f.readSome(text.data(), text.size()));
        if (auto layout = parseBarLayout(text)) return *layout;
    } catch (const std::exception&) {
    }
    return defaultBarLayout();
}

bool saveBarLayout(const std::string& path, const BarLayout& layout) {
    try {
        writeFileAtomically(path, formatBarLayout(layout));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace varmelo
