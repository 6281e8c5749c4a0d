#include "core/archive/desktop_data.h"

#include <cstdio>

#include "core/archive/archive_file_type.h"
#include "core/io/errors.h"
#include "core/io/xml_escape.h"

namespace varmelo {

namespace {

// A magic as shared-mime-info reads a string value: bytes outside printable ASCII, and the
// backslash, as \ooo octal escapes.
std::string magicValue(std::string_view magic) {
    std::string out;
    for (char c : magic) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7f || c == '\\') {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\%03o", u);
            out += esc;
        } else {
            out += c;
        }
    }
    return xmlEscape(out);
}

// Guillemets as the manual page's roff names them.
std::string roffText(std::string_view s) {
    std::string out(s);
    for (auto [from, to] : {std::pair<std::string, std::string>{"«", "\\(Fo"}, {"»", "\\(Fc"}})
        for (size_t at = out.find(from); at != std::string::npos; at = out.find(from, at + to.size()))
            out.replace(at, from.size(), to);
    return out;
}

std::string mimeTypeXml(const ArchiveFileType& t) {
    std::string x = "  <mime-type type=\"" + mimeTypeOf(t) + "\">\n";
    x += "    <comment>" + xmlEscape(t.comment) + "</comment>\n";
    x += "    <comment xml:lang=\"ru\">" + xmlEscape(t.commentRu) + "</comment>\n";
    if (!t.mimeParent.empty()) x += "    <sub-class-of type=\"" + xmlEscape(t.mimeParent) + "\"/>\n";
    x += "    <generic-icon name=\"package-x-generic\"/>\n";
    const auto magics = magicsOf(t);
    if (!magics.empty()) {
        // A file of another type's kind under our extension: its magic ranks below that
        // type's own (50), so the other type keeps every such file without our extension.
        x += t.mimeParent.empty() ? "    <magic>\n" : "    <magic priority=\"10\">\n";
        for (std::string_view m : magics)
            x += "      <match type=\"string\" offset=\"0\" value=\"" + magicValue(m) + "\"/>\n";
        x += "    </magic>\n";
    }
    x += "    <glob pattern=\"*." + xmlEscape(t.extension) + "\" weight=\"20\"/>\n";
    return x + "  </mime-type>\n";
}

}  // namespace

std::string mimePackageXml() {
    std::string x =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Made at build time from the archive kinds' rows. The globs weigh 20, below the 50 of\n"
        "     the desktop's own types: a *.img disk image or a *.bin firmware keeps its handler, and\n"
        "     only a file whose first bytes are one of these archives' signatures comes to Varmelo\n"
        "     through its magic. -->\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const ArchiveFileType* t : archiveFileTypes()) x += mimeTypeXml(*t);
    return x + "</mime-info>\n";
}

std::map<std::string, std::string> desktopDataFields() {
    std::string mimeTypes, mediaTypes, items, list;
    const auto types = archiveFileTypes();
    for (size_t i = 0; i < types.size(); ++i) {
        const ArchiveFileType& t = *types[i];
        const std::string ext(t.extension);
        mimeTypes += mimeTypeOf(t) + ";";
        mediaTypes += "    <mediatype>" + mimeTypeOf(t) + "</mediatype>\n";
        items += "      <li>" + xmlEscape(t.comment) + "s (." + ext + ")</li>\n";
        const bool last = i + 1 == types.size();
        list += std::string(last && i > 0 ? "and " : "") + roffText(t.comment) + "s\n.RI ( ." + ext + " )" +
                (last ? "" : ",") + "\n";
    }
    // The templates put each list on lines of its own.
    auto trimmed = [](std::string s) { return s.empty() ? s : s.substr(0, s.size() - 1); };
    return {{"MIME_TYPES", mimeTypes},
            {"MEDIA_TYPES", trimmed(mediaTypes)},
            {"ARCHIVE_ITEMS", trimmed(items)},
            {"ARCHIVE_LIST", trimmed(list)}};
}

std::string fillFields(const std::string& text, const std::map<std::string, std::string>& fields) {
    std::string out;
    size_t from = 0;
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', from)) {
        const size_t end = text.find('@', at + 1);
        if (end == std::string::npos) break;
        const std::string name = text.substr(at + 1, end - at - 1);
        const auto field = fields.find(name);
        if (field == fields.end()) throw UsageError("no field @" + name + "@");
        out += text.substr(from, at - from) + field->second;
        from = end + 1;
    }
    return out + text.substr(from);
}

}  // namespace varmelo
