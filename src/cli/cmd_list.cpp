#include <cstdio>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "core/browser/row_map.h"
#include "core/io/codepage.h"

namespace varmelo::cli {

namespace {

void printText(const Archive& a) {
    // Only the text speaks the user's language; the JSON keeps numbers.
    const MessageTable messages = localeMessageTable();
    std::string out;
    for (uint32_t e = 0; e < a.Entries.size(); ++e) {
        out += std::to_string(e);
        out += '\t';
        out += cp1251ToUtf8(a.Entries[e].Name);
        out += '\t';
        out += addressText(a, e);
        out += '\t';
        out += sizeText(a, e, messages);
        out += '\n';
        if (out.size() >= 1 << 16) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

void printJson(const Archive& a) {
    JsonWriter w;
    w.beginObject().newline();
    w.key("kind").value(kindName(a.ArchiveKind)).newline();
    w.key("path").value(a.ArchivePath).newline();
    w.key("dir_path").value(a.DirPath).newline();
    w.key("entries").beginArray();
    for (uint32_t e = 0; e < a.Entries.size(); ++e) {
        const TEntryRec& r = a.Entries[e];
        w.newline().beginObject();
        w.key("index").value(uint64_t(e));
        w.key("name").value(cp1251ToUtf8(r.Name));
        w.key("offset").value(uint64_t(r.Offset));
        w.key("size").value(uint64_t(r.Size));
        w.key("byte_offset").value(a.byteOffset(r));
        w.key("byte_size").value(a.byteSize(r));
        w.endObject();
    }
    if (!a.Entries.empty()) w.newline();
    w.endArray().newline().endObject().newline();
    std::fwrite(w.text().data(), 1, w.text().size(), stdout);
}

}  // namespace

int runList(const Args& args) {
    const auto [json, path] = jsonAndPath(args, "list", "archive");
    Archive a = loadArchive(path);
    if (json) printJson(a);
    else printText(a);
    return 0;
}

}  // namespace varmelo::cli
