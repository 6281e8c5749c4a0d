#include "core/settings/bar_layout.h"

#include <algorithm>
#include <exception>

#include "core/io/binary_file.h"
#include "core/io/file_system.h"
#include "core/settings/settings_location.h"

namespace varmelo {

namespace {

constexpr size_t kMaxFileBytes = 1u << 20;
constexpr int kMaxDepth = 8;

BarItem cmd(const char* name) { return BarItem{name, {}, {}}; }
BarItem sep() { return BarItem{kBarSeparator, {}, {}}; }
BarItem sub(const char* name, std::vector<BarItem> items) { return BarItem{name, {}, std::move(items)}; }
BarItem menu(const char* caption, const char* command, std::vector<BarItem> items) {
    return BarItem{command, caption, std::move(items)};
}

const BarItem* findStandardSubmenu(const std::vector<BarItem>& items, const std::string& name) {
    for (const BarItem& i : items) {
        if (i.command == name && !i.items.empty()) return &i;
        if (const BarItem* found = findStandardSubmenu(i.items, name)) return found;
    }
    return nullptr;
}

bool isCommandChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool captionNeedsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '%' || c == ':' || c == '@' || c == ',' || c == '(' ||
           c == ')' || c == '=';
}

std::string escapeCaption(const std::string& s) {
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

// Recursive-descent reader of an item list; fails on bad shape only.
class ListParser {
public:
    explicit ListParser(const std::string& s) : s_(s) {}

    std::optional<std::vector<BarItem>> parseAll() {
        std::vector<BarItem> items;
        if (!parseList(items, 0)) return std::nullopt;
        if (pos_ != s_.size()) return std::nullopt;
        return items;
    }

private:
    bool parseList(std::vector<BarItem>& out, int depth) {
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

    bool parseItem(std::vector<BarItem>& out, int depth) {
        if (pos_ < s_.size() && s_[pos_] == '-') {
            ++pos_;
            out.push_back(sep());
            return true;
        }
        size_t start = pos_;
        while (pos_ < s_.size() && isCommandChar(s_[pos_])) ++pos_;
        if (pos_ == start) return false;
        BarItem item{s_.substr(start, pos_ - start), {}, {}};
        bool hasList = false;
        if (pos_ < s_.size() && s_[pos_] == '(') {
            ++pos_;
            hasList = true;
            if (!parseList(item.items, depth + 1)) return false;
            if (pos_ >= s_.size() || s_[pos_] != ')') return false;
            ++pos_;
        }
        if (!isBarCommand(item.command)) return true;  // from another version: left out
        if (!isSubmenuCommand(item.command)) {
            item.items.clear();
        } else if (!hasList) {
            static const BarLayout standard = defaultBarLayout();
            if (const BarItem* d = findStandardSubmenu(standard.menuBar, item.command)) item.items = d->items;
        }
        out.push_back(std::move(item));
        return true;
    }

    const std::string& s_;
    size_t pos_ = 0;
};

void formatList(const std::vector<BarItem>& items, std::string& out) {
    bool first = true;
    for (const BarItem& i : items) {
        if (!i.isSeparator() && !isBarCommand(i.command)) continue;
        if (!first) out += ',';
        first = false;
        out += i.command;
        if (isSubmenuCommand(i.command)) {
            out += '(';
            formatList(i.items, out);
            out += ')';
        }
    }
}

}  // namespace

BarLayout defaultBarLayout() {
    BarLayout l;
    l.toolbar = {cmd("FileNew1"),     cmd("FileOpen1"),  sep(), cmd("EditExtract1"), cmd("EditAdd1"),
                 cmd("EditRemove1"),  sep(),             cmd("SearchFind1"), cmd("SearchFindNext1"),
                 cmd("SearchFilter1"), sep(),            cmd("HelpAbout1")};
    l.menuBar = {
        menu("Файл", "",
             {cmd("FileNew1"), cmd("FileOpen1"), sep(), cmd("MRUFile1"), cmd("MRUFile2"), cmd("MRUFile3"),
              cmd("MRUFile4"), cmd("MRUFile5"), sep(), cmd("FileExit1")}),
        menu("Правка", "",
             {cmd("EditOpen1"), cmd("EditRename1"), sep(), cmd("EditExtract1"), cmd("EditReplace1"),
              cmd("EditAdd1"), cmd("EditRemove1")}),
        menu("Поиск", "",
             {cmd("SearchFind1"), cmd("SearchFindNext1"), cmd("SearchFindAll1"), sep(), cmd("SearchFilter1")}),
        menu("Сервис", "",
             {cmd("ServiceRebuild1"), sep(), cmd("ServiceToolbar1"), cmd("ServicePreview1"),
              cmd("ServiceAntialiasing1"), sep(),
              sub("ServiceAssociations1",
                  {cmd("ServiceOpenAll1"), sep(), cmd("ServiceGTA1"), cmd("ServiceSyberia1"), cmd("ServiceHP1"),
                   cmd("ServicePrey1"), cmd("ServiceBratva1"), cmd("ServiceCleaners1")}),
              sep(), sub("ServiceStyle1", {cmd("ServiceDefault1"), cmd("ServiceXP1"), cmd("ServiceStandard1")}),
              cmd("CustomizeActionBars1")}),
        menu("Language", "LanguageMenu1", {cmd("LanguageSelect1")}),
        menu("Справка", "", {cmd("HelpAbout1")}),
    };
    return l;
}

const std::vector<std::string>& barCommandNames() {
    static const std::vector<std::string> names = {
        "FileNew1",         "FileOpen1",          "MRUFile1",         "MRUFile2",
        "MRUFile3",         "MRUFile4",           "MRUFile5",         "FileExit1",
        "EditOpen1",        "EditRename1",        "EditExtract1",     "EditReplace1",
        "EditAdd1",         "EditRemove1",        "SearchFind1",      "SearchFindNext1",
        "SearchFindAll1",   "SearchFilter1",      "ServiceRebuild1",  "ServiceToolbar1",
        "ServicePreview1",  "ServiceAntialiasing1", "ServiceAssociations1", "ServiceOpenAll1",
        "ServiceGTA1",      "ServiceSyberia1",    "ServiceHP1",       "ServicePrey1",
        "ServiceBratva1",   "ServiceCleaners1",   "ServiceStyle1",    "ServiceDefault1",
        "ServiceXP1",       "ServiceStandard1",   "CustomizeActionBars1", "LanguageMenu1",
        "LanguageSelect1",  "HelpAbout1",
    };
    return names;
}

bool isBarCommand(const std::string& name) {
    const auto& n = barCommandNames();
    return std::find(n.begin(), n.end(), name) != n.end();
}

bool isSubmenuCommand(const std::string& name) {
    return name == "ServiceAssociations1" || name == "ServiceStyle1" || name == "LanguageMenu1";
}

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
            for (BarItem& i : *items) i.items.clear();  // the toolbar is flat
            layout.toolbar = std::move(*items);
            toolbar = true;
        } else if (key == "menu") {
            size_t colon = value.find(':');
            if (colon == std::string::npos) return std::nullopt;
            std::string head = value.substr(0, colon);
            BarItem m;
            size_t at = head.find('@');
            if (at != std::string::npos) {
                std::string command = head.substr(at + 1);
                if (command.empty() || !std::all_of(command.begin(), command.end(), isCommandChar))
                    return std::nullopt;
                if (isBarCommand(command)) m.command = command;
                head.resize(at);
            }
            auto caption = unescapeCaption(head);
            auto items = ListParser(value.substr(colon + 1)).parseAll();
            if (!caption || !items) return std::nullopt;
            m.caption = *caption;
            m.items = std::move(*items);
            layout.menuBar.push_back(std::move(m));
        } else {
            return std::nullopt;
        }
    }
    if (!toolbar) return std::nullopt;
    return layout;
}

std::string formatBarLayout(const BarLayout& layout) {
    std::string out = "# Varmelo toolbar and menu bar\nversion=1\ntoolbar=";
    std::vector<BarItem> flat;
    for (const BarItem& i : layout.toolbar) flat.push_back(BarItem{i.command, {}, {}});
    formatList(flat, out);
    out += '\n';
    for (const BarItem& m : layout.menuBar) {
        out += "menu=" + escapeCaption(m.caption);
        if (isBarCommand(m.command)) out += "@" + m.command;
        out += ':';
        formatList(m.items, out);
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
