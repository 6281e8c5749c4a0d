#include <cstdio>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "core/game/game_data.h"
#include "core/io/codepage.h"

namespace varmelo::cli {

namespace {

constexpr IdeSection kSections[] = {IdeSection::Objs, IdeSection::Tobj, IdeSection::Anim, IdeSection::Peds,
                                    IdeSection::Cars, IdeSection::Weap, IdeSection::Hier, IdeSection::Txdp};

// Paths and names from the game's files are Windows-1251 bytes.
std::string utf8(const std::string& bytes) { return cp1251ToUtf8(bytes); }

struct BadLine {
    std::string file;
    uint32_t line;
};

std::vector<BadLine> badLinesOf(const GameData& g) {
    std::vector<BadLine> out;
    for (const GameDatRead& d : g.dats)
        for (uint32_t n : d.dat.badLines) out.push_back({d.path, n});
    for (const GameIdeRead& i : g.ides)
        for (uint32_t n : i.ide.badLines) out.push_back({i.path, n});
    for (uint32_t n : g.carcols.badLines) out.push_back({"data/carcols.dat", n});
    return out;
}

size_t totalOf(const GameData& g, IdeSection s) {
    size_t n = 0;
    for (const GameIdeRead& i : g.ides) n += i.ide.count(s);
    return n;
}

struct ColourCounts {
    size_t pairs = 0, fours = 0;
};
ColourCounts colourCounts(const CarcolsFile& c) {
    ColourCounts n;
    for (const CarColourSets& car : c.cars) {
        n.pairs += car.pairs.size();
        n.fours += car.fours.size();
    }
    return n;
}

void writeCounts(JsonWriter& w, const GameData& g, const IdeFile* one) {
    w.beginObject();
    for (IdeSection s : kSections) w.key(ideSectionName(s)).value(uint64_t(one ? one->count(s) : totalOf(g, s)));
    w.endObject();
}

void printJson(const GameData& g) {
    JsonWriter w;
    w.beginObject().newline();
    w.key("folder").value(g.folder).newline();
    w.key("kind").value(gameKindName(g.kind)).newline();
    w.key("dat_files").beginArray();
    for (const GameDatRead& d : g.dats) {
        w.newline().beginObject().key("path").value(d.path).key("lines").value(uint64_t(d.dat.lines.size()));
        w.endObject();
    }
    w.endArray().newline();
    w.key("archives").beginArray();
    for (const auto& [key, a] : g.archives) {
        w.newline().beginObject().key("path").value(utf8(key)).key("entries").value(uint64_t(a.Entries.size()));
        w.endObject();
    }
    w.endArray().newline();
    w.key("ide_files").beginArray();
    for (const GameIdeRead& i : g.ides) {
        w.newline().beginObject().key("path").value(utf8(i.path)).key("records");
        writeCounts(w, g, &i.ide);
        w.endObject();
    }
    w.endArray().newline();
    w.key("records");
    writeCounts(w, g, nullptr);
    w.newline().key("txdp").beginArray();
    for (const GameIdeRead& i : g.ides)
        for (const TxdParent& p : i.ide.txdParents)
            w.beginObject().key("txd").value(utf8(p.txd)).key("parent").value(utf8(p.parent)).endObject();
    w.endArray().newline();
    const ColourCounts colours = colourCounts(g.carcols);
    w.key("car_colours").beginObject().key("palette").value(uint64_t(g.carcols.palette.size()));
    w.key("models").value(uint64_t(g.carcols.cars.size())).key("pairs").value(uint64_t(colours.pairs));
    w.key("fours").value(uint64_t(colours.fours)).endObject().newline();
    w.key("unread_files").beginArray();
    for (const GameFileProblem& p : g.problems)
        w.newline().beginObject().key("path").value(utf8(p.path)).key("error").value(p.error).endObject();
    w.endArray().newline();
    w.key("unread_lines").beginArray();
    for (const BadLine& b : badLinesOf(g))
        w.newline().beginObject().key("file").value(utf8(b.file)).key("line").value(uint64_t(b.line)).endObject();
    w.endArray().newline().endObject().newline();
    std::fwrite(w.text().data(), 1, w.text().size(), stdout);
}

std::string countsText(const GameData& g, const IdeFile* one) {
    std::string out;
    for (IdeSection s : kSections) {
        const size_t n = one ? one->count(s) : totalOf(g, s);
        if (n == 0) continue;
        if (!out.empty()) out += ", ";
        out += std::string(ideSectionName(s)) + " " + std::to_string(n);
    }
    return out.empty() ? "no records" : out;
}

void printText(const GameData& g) {
    std::string out = "folder\t" + g.folder + "\nkind\t" + gameKindName(g.kind) + "\n";
    for (const GameDatRead& d : g.dats)
        out += "dat\t" + d.path + "\t" + std::to_string(d.dat.lines.size()) + " lines\n";
    for (const auto& [key, a] : g.archives)
        out += "archive\t" + utf8(key) + "\t" + std::to_string(a.Entries.size()) + " entries\n";
    for (const GameIdeRead& i : g.ides) out += "ide\t" + utf8(i.path) + "\t" + countsText(g, &i.ide) + "\n";
    out += "records\t" + countsText(g, nullptr) + "\n";
    for (const GameIdeRead& i : g.ides)
        for (const TxdParent& p : i.ide.txdParents) out += "txdp\t" + utf8(p.txd) + " -> " + utf8(p.parent) + "\n";
    const ColourCounts colours = colourCounts(g.carcols);
    out += "car colours\t" + std::to_string(g.carcols.palette.size()) + " palette colours, " +
           std::to_string(g.carcols.cars.size()) + " models, " + std::to_string(colours.pairs) + " pairs, " +
           std::to_string(colours.fours) + " sets of four\n";
    for (const GameFileProblem& p : g.problems) out += "unread file\t" + utf8(p.path) + "\t" + p.error + "\n";
    for (const BadLine& b : badLinesOf(g)) out += "unread line\t" + utf8(b.file) + ":" + std::to_string(b.line) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace

int runGame(const Args& args) {
    const auto [json, folder] = jsonAndPath(args, "game", "folder");
    if (!gameKindOf(folder)) {
        reportError(folder + " is not a game folder: it has no data/gta.dat, data/gta_vc.dat or data/gta3.dat");
        throw AlreadyReported{};
    }
    const GameData g = readGameData(folder);
    if (json) printJson(g);
    else printText(g);
    return 0;
}

}  // namespace varmelo::cli
