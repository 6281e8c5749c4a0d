// inspect and export: what an entry (or a loose file) holds for the previews, and its
// pictures written out at full size.
#include <cstdio>
#include <filesystem>
#include <set>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "cli/model_inspect.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/export/gltf_export.h"
#include "core/game/game_data.h"
#include "core/view/model_dictionary.h"
#include "core/io/entry_reader.h"
#include "core/preview/inspect.h"

namespace varmelo::cli {

namespace {

// The bytes to look at and the name whose extension says what they are (Windows-1251).
struct Source {
    EntryReader reader;
    std::string name;
    std::optional<Archive> archive;  // the archive holding the entry; none for a loose file
};

Source openSource(const std::string& path, const std::string& entry) {
    if (!entry.empty()) {
        Archive a = loadArchive(path);
        const TEntryRec& e = a.Entries[resolveEntry(a, entry)];
        EntryReader reader = openEntryReader(a, e);
        std::string name = e.Name;
        return {std::move(reader), std::move(name), std::move(a)};
    }
    std::error_code ec;
    const uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) throw FileError(path + ": " + ec.message());
    const std::string base = std::filesystem::path(path).filename().string();
    return {EntryReader::open(path, 0, size), utf8ToCp1251(base).value_or(base), std::nullopt};
}

// The game a model is looked at in: the folder given with --game, else the one the archive
// (or loose file) lies in; nothing when neither is a game.
std::optional<GameData> gameFor(const std::string& given, const std::string& path) {
    if (!given.empty()) return readGameData(given);
    if (const auto folder = gameFolderOfArchive(path)) return readGameData(folder->path);
    return std::nullopt;
}

std::string typeName(EntryFormat f) { return std::string(formatInfo(f).name); }

std::string utf8(const std::string& s) { return cp1251ToUtf8(s); }

std::string inspectJson(const EntryInspection& in) {
    JsonWriter w;
    const EntryContent content = formatInfo(in.format).content;
    w.beginObject().key("type").value(typeName(in.format));
    if (content == EntryContent::TextureDictionary) {
        w.key("count").value(uint64_t(in.textureCount)).key("textures").beginArray();
        for (const TextureInfo& t : in.textures) {
            w.newline().beginObject();
            w.key("name").value(utf8(t.name)).key("mask").value(utf8(t.mask));
            w.key("width").value(uint64_t(t.width)).key("height").value(uint64_t(t.height));
            w.key("depth").value(uint64_t(t.depth)).key("has_alpha").boolean(t.hasAlpha);
            w.key("format").value(t.format).key("data_size").value(uint64_t(t.dataSize));
            w.endObject();
        }
        w.endArray();
    } else if (content == EntryContent::Picture) {
        w.key("width").value(uint64_t(in.width)).key("height").value(uint64_t(in.height));
        w.key("has_alpha").boolean(in.hasAlpha);
    } else if (content == EntryContent::Placement) {
        w.key("binary").boolean(in.binaryIpl).key("lines").beginArray();
        for (const auto& line : in.lines) w.newline().value(utf8(line));
        w.endArray();
    }
    if (!in.error.empty()) w.key("error").value(utf8(in.error));
    w.endObject().newline();
    return w.text();
}

std::string inspectText(const EntryInspection& in) {
    std::string o;
    switch (formatInfo(in.format).content) {
    case EntryContent::TextureDictionary:
        o = std::string(formatInfo(in.format).displayName) + ", " + std::to_string(in.textureCount) + " textures\n";
        for (size_t i = 0; i < in.textures.size(); ++i) {
            const TextureInfo& t = in.textures[i];
            // Named first: "#" put before a temporary string makes GCC 12 at -O3 warn of
            // overlapping copies (-Wrestrict) that cannot happen.
            const std::string index = std::to_string(i);
            o += "#" + index + "\t" + utf8(t.name) + "\t" + (t.mask.empty() ? "-" : utf8(t.mask)) + "\t" +
                 std::to_string(t.width) + "x" + std::to_string(t.height) + "x" + std::to_string(t.depth) + "\t" +
                 t.format + (t.hasAlpha ? "\talpha" : "\topaque") + "\t" + std::to_string(t.dataSize) + " bytes\n";
        }
        break;
    case EntryContent::Picture:
        if (in.error.empty())
            o = typeName(in.format) + " picture " + std::to_string(in.width) + "x" +
                std::to_string(in.height) + (in.hasAlpha ? ", with alpha\n" : ", opaque\n");
        break;
    case EntryContent::Placement:
        if (!in.binaryIpl) o = "text placement file (not binary)\n";
        for (const auto& line : in.lines) o += utf8(line) + "\n";
        break;
    default: o = typeName(in.format) + ": nothing to inspect\n"; break;
    }
    return o;
}

// A texture name as a file name: path separators, control and shell-hostile characters
// become "_", so every file lands inside the chosen folder.
std::string safeFileName(const std::string& name, size_t index) {
    std::string out;
    for (char c : utf8(name)) {
        const auto u = static_cast<unsigned char>(c);
        out += (u < 32 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) ? '_' : c;
    }
    if (out.empty() || out == "." || out == "..") out = "texture_" + std::to_string(index);
    return out;
}

// The dictionary a model's textures come from. --txd names an entry of the model's archive,
// else a file; without it the dictionary named like the model is taken from its archive, or
// from beside a loose model file. Nothing when there is none to take.
std::optional<EntryReader> modelDictionary(const std::string& path, const std::string& entry,
                                           const std::string& txd, const std::string& modelName) {
    if (!entry.empty()) {
        const Archive a = loadArchive(path);
        if (txd.empty()) return openSameNamedDictionary(a, modelName);
        try {
            return openEntryReader(a, a.Entries[resolveEntry(a, txd)]);
        } catch (const UsageError&) {
            if (!fileExists(txd)) throw UsageError(txd + ": neither an entry of the archive nor a file");
        }
    }
    if (!txd.empty()) {
        if (!fileExists(txd)) throw FileError(txd + ": " + kFileNotFound);
        return openDictionaryFile(txd);
    }
    if (const auto beside = dictionaryBeside(path)) return openDictionaryFile(*beside);
    return std::nullopt;
}

void reportMissing(const std::vector<std::string>& missing) {
    if (missing.empty()) return;
    std::string list;
    for (const std::string& name : missing) {
        if (!list.empty()) list += ", ";
        list += utf8(name);
    }
    std::fprintf(stderr, "varmelo-cli: textures not in the dictionary: %s\n", list.c_str());
}

// As the game view shows the model: the --txd dictionary, if any, replaces the first link of
// the game's chain.
void exportGltfInGame(Source& model, const GameData& game, const std::string& path, const std::string& entry,
                      const std::string& txd, const std::string& output, bool allParts) {
    std::optional<ChosenDictionary> chosen;
    if (!txd.empty())
        if (auto reader = modelDictionary(path, entry, txd, model.name))
            chosen = ChosenDictionary{fileNameOf(txd), std::move(*reader)};
    const ModelInGame inGame{game, model.name, model.archive ? &*model.archive : nullptr};
    reportMissing(exportModelGltfInGame(model.reader, inGame, std::move(chosen), output, allParts));
}

void exportGltf(Source& model, const std::string& path, const std::string& entry, const std::string& txd,
                const std::string& output) {
    std::optional<EntryReader> dictionary = modelDictionary(path, entry, txd, model.name);
    if (!dictionary)
        std::fprintf(stderr, "varmelo-cli: no texture dictionary named like %s: exported without textures\n",
                     utf8(model.name).c_str());
    const bool looked = dictionary.has_value();
    const std::vector<std::string> missing = exportModelGltf(model.reader, std::move(dictionary), output);
    if (looked) reportMissing(missing);
}

int findTexture(const EntryInspection& in, const std::string& given) {
    return int(resolveName({"texture", "textures", "the dictionary", in.textures.size(),
                            [&](size_t i) -> const std::string& { return in.textures[i].name; }, true},
                           given));
}

}  // namespace

int runInspect(const Args& args) {
    bool json = false;
    std::string gameFolder;
    std::vector<std::string> pos;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") json = true;
        else if (arg == "--game") {
            if (i + 1 >= args.size()) throw BadUsage("inspect: --game needs a value");
            gameFolder = args[++i];
        }
        else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') throw BadUsage("inspect: unknown option '" + arg + "'");
        else pos.push_back(arg);
    }
    if (pos.empty()) throw BadUsage("inspect: no file given");
    if (pos.size() > 2) throw BadUsage("inspect: expected PATH [ENTRY]");
    Source src = openSource(pos[0], pos.size() > 1 ? pos[1] : "");
    const EntryContent content = entryFormatOf(src.name).content;
    if (content == EntryContent::Model || content == EntryContent::Collision) {
        std::string error;
        std::string out;
        if (content == EntryContent::Model) {
            const std::optional<GameData> game = gameFor(gameFolder, pos[0]);
            std::optional<ModelInGame> inGame;
            if (game) inGame.emplace(ModelInGame{*game, src.name, src.archive ? &*src.archive : nullptr});
            out = inspectModel(src.reader, json, error, inGame ? &*inGame : nullptr);
        } else {
            out = inspectCollision(src.reader, json, error);
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
        if (error.empty()) return 0;
        reportError(error);
        return 1;
    }
    const EntryInspection in = InspectEntry(src.reader, src.name);
    const std::string out = json ? inspectJson(in) : inspectText(in);
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (!in.error.empty()) {
        reportError(in.error);
        return 1;
    }
    return 0;
}

int runExport(const Args& args) {
    std::vector<std::string> pos;
    std::string texture, output, txd, gameFolder;
    ExportMode mode = ExportMode::Rgba;
    bool all = false, allParts = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto next = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw BadUsage("export: " + arg + " needs a value");
            return args[++i];
        };
        if (arg == "--all") all = true;
        else if (arg == "--all-parts") allParts = true;
        else if (arg == "--texture") texture = next();
        else if (arg == "--txd") txd = next();
        else if (arg == "--game") gameFolder = next();
        else if (arg == "-o") output = next();
        else if (arg == "--mode") {
            auto m = parseExportMode(next());
            if (!m) throw BadUsage("export: --mode is rgba, rgb, alpha or checker");
            mode = *m;
        } else if (arg.size() > 1 && arg[0] == '-') throw BadUsage("export: unknown option '" + arg + "'");
        else pos.push_back(arg);
    }
    if (pos.empty()) throw BadUsage("export: no file given");
    if (pos.size() > 2) throw BadUsage("export: expected PATH [ENTRY]");
    if (output.empty()) throw BadUsage("export: no output given (-o)");
    if (all && !texture.empty()) throw BadUsage("export: --all and --texture exclude each other");
    Source src = openSource(pos[0], pos.size() > 1 ? pos[1] : "");
    const bool withAlpha = mode == ExportMode::Rgba;

    const EntryContent content = entryFormatOf(src.name).content;
    if (content == EntryContent::Model) {
        if (all || !texture.empty()) throw UsageError(utf8(src.name) + " is a model, not a texture dictionary");
        if (isGltfName(output)) {
            const std::string entry = pos.size() > 1 ? pos[1] : "";
            if (const std::optional<GameData> game = gameFor(gameFolder, pos[0]))
                exportGltfInGame(src, *game, pos[0], entry, txd, output, allParts);
            else exportGltf(src, pos[0], entry, txd, output);
            return 0;
        }
        if (!gameFolder.empty()) throw BadUsage("export: --game needs glTF output (-o OUT.glb or OUT.gltf)");
        if (!txd.empty()) throw BadUsage("export: --txd needs glTF output (-o OUT.glb or OUT.gltf)");
        exportModelObj(src.reader, output);
        return 0;
    }
    if (allParts) throw BadUsage("export: --all-parts is for models");
    if (!txd.empty()) throw BadUsage("export: --txd is for models");
    if (!gameFolder.empty()) throw BadUsage("export: --game is for models");
    if (content != EntryContent::TextureDictionary && content != EntryContent::Picture)
        throw UsageError("no picture in " + utf8(src.name));
    if (content != EntryContent::TextureDictionary && (all || !texture.empty()))
        throw UsageError(utf8(src.name) + " is a single picture, not a texture dictionary");

    if (!all) {
        int index = 0;
        if (content == EntryContent::TextureDictionary && !texture.empty()) {
            const EntryInspection in = InspectEntry(src.reader, src.name);
            index = findTexture(in, texture);
        }
        const Image img = ExportPicture(src.reader, src.name, index, mode);
        if (img.empty()) throw FormatError(utf8(src.name) + ": the picture is empty");
        SavePicture(output, img, withAlpha);
        return 0;
    }

    // The table is read once: every texture is then decoded from where the table found it.
    const TxdTable table = ReadDictionary(src.reader);
    std::filesystem::create_directories(output);
    std::set<std::string> used;
    int failures = 0;
    for (size_t i = 0; i < table.textures.size(); ++i) {
        std::string base = safeFileName(table.textures[i].Name, i);
        std::string file = base + ".png";
        for (int n = 2; used.count(file); ++n) file = base + "_" + std::to_string(n) + ".png";
        used.insert(file);
        try {
            const Image img = ExportTexture(src.reader, table.textures[i], mode);
            // Inside the chosen folder a link or another name of some file is never written through.
            SavePicture((std::filesystem::path(output) / file).string(), img, withAlpha, PictureTarget::InFolder);
            std::printf("%s\n", file.c_str());
        } catch (const std::exception& e) {
            reportError(file + ": " + e.what());
            ++failures;
        }
    }
    if (!table.error.empty()) {
        reportError(table.error);
        return 1;
    }
    return failures ? 1 : 0;
}

}  // namespace varmelo::cli
