// txd: texture dictionaries edited in place, loose or inside an archive. Every change is made
// in memory first; the dictionary is written once, only when all of them went through.
#include <unistd.h>

#include <cstdio>
#include <map>
#include <optional>

#include "cli/cli.h"
#include "core/archive/img_editor.h"
#include "core/archive/open_entry.h"
#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/texture/picture_file.h"
#include "core/texture/picture_folder.h"
#include "core/texture/texture_edit.h"

namespace varmelo::cli {

namespace {

// Where the dictionary lives: a loose file, or an entry of an archive.
struct Place {
    std::string path;
    std::optional<Archive> archive;
    uint32_t entry = 0;
};

bool isLooseDictionary(const std::string& path) { return asciiLower(extensionOf(path)) == ".txd"; }

std::vector<uint8_t> readAll(const std::string& path) {
    BinaryFile f = BinaryFile::openRead(path);
    return f.readExact(size_t(f.size()));
}

TextureDictionary load(Place& p, const std::string& entry) {
    std::vector<uint8_t> bytes;
    if (entry.empty()) {
        bytes = readAll(p.path);
    } else {
        p.archive = loadArchive(p.path);
        p.entry = resolveEntry(*p.archive, entry);
        EntryReader r = openEntryReader(*p.archive, p.archive->Entries[p.entry]);
        bytes = r.read(size_t(r.size()));
    }
    return TextureDictionary::read(bytes);
}

// A loose file is replaced whole by a rename, so a crash leaves the old or the new one.
void writeLoose(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temp = folderOf(path) + "/." + fileNameOf(path) + ".~new";
    try {
        BinaryFile f = BinaryFile::createPlain(temp);
        f.write(bytes.data(), bytes.size());
        f.sync();
        f.close();
        keepMode(path, temp);
        renameFile(temp, path);
        syncDirectoryOf(path);
    } catch (...) {
        removeFileQuietly(temp);
        throw;
    }
}

// Into an archive through the entry replacement every other edit uses: in place when it fits.
void writeEntry(Place& p, const std::vector<uint8_t>& bytes) {
    const std::string temp = privateTempFolder() + "/txd-" + std::to_string(getpid()) + ".txd";
    try {
        {
            BinaryFile f = BinaryFile::createPlain(temp);
            f.write(bytes.data(), bytes.size());
        }
        ReplaceEntryData(*p.archive, p.entry, temp);
    } catch (...) {
        removeFileQuietly(temp);
        throw;
    }
    removeFileQuietly(temp);
}

struct Options {
    EncodeOptions encode;
    bool force = false;
    std::optional<DictionaryGame> game;
    std::vector<std::string> rest;
};

Options parseOptions(const Args& args, size_t from, const std::string& verb) {
    Options o;
    for (size_t i = from; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw BadUsage("txd " + verb + ": " + arg + " needs a value");
            return args[++i];
        };
        if (arg == "--format") {
            const auto f = parseTargetFormat(value());
            if (!f) throw BadUsage("txd: --format is auto, dxt1, dxt3, dxt5, 8888, 888, 565, 1555 or 4444");
            o.encode.format = *f;
        } else if (arg == "--mipmaps") {
            const auto m = parseMipmapMode(value());
            if (!m) throw BadUsage("txd: --mipmaps is none, full or keep");
            o.encode.mipmaps = *m;
        } else if (arg == "--resize") {
            o.encode.resize = true;
        } else if (arg == "--force" && verb == "create") {
            o.force = true;
        } else if (arg == "--game" && verb == "create") {
            const std::string g = value();
            if (g == "iii") o.game = DictionaryGame::III;
            else if (g == "vc") o.game = DictionaryGame::ViceCity;
            else if (g == "sa") o.game = DictionaryGame::SanAndreas;
            else throw BadUsage("txd create: --game is iii, vc or sa");
        } else if (arg == "--") {
            o.rest.insert(o.rest.end(), args.begin() + std::ptrdiff_t(i + 1), args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw BadUsage("txd " + verb + ": unknown option '" + arg + "'");
        } else {
            o.rest.push_back(arg);
        }
    }
    return o;
}

std::shared_ptr<const Image> picture(const std::string& file, int* levels = nullptr) {
    try {
        return std::make_shared<const Image>(LoadPictureFile(file, levels).image);
    } catch (const std::exception& e) {
        throw FormatError(file + ": " + e.what());
    }
}

std::string stem(const std::string& file) {
    const std::string name = fileNameOf(file);
    const std::string ext = extensionOf(name);
    return name.substr(0, name.size() - ext.size());
}

// FILE or FILE=NAME; a file whose own name holds '=' is taken whole when it exists. `files`
// receives the picture file of each edit.
std::vector<TextureEdit> addEdits(const std::vector<std::string>& arguments, const EncodeOptions& options,
                                  std::vector<std::string>& files) {
    std::vector<TextureEdit> out;
    for (const std::string& argument : arguments) {
        std::string file = argument, name;
        const size_t eq = argument.rfind('=');
        if (eq != std::string::npos && !fileExists(argument)) {
            file = argument.substr(0, eq);
            name = argument.substr(eq + 1);
        } else {
            name = stem(file);
        }
        int levels = 1;
        std::shared_ptr<const Image> p = picture(file, &levels);
        files.push_back(file);
        out.push_back(AddTexture{toEntryName(name), std::move(p), options, {levels, false}});
    }
    return out;
}

std::string textureName(const TextureDictionary& d, const std::string& given) {
    const auto& t = d.textures();
    return t[resolveName({"texture", "textures", "the dictionary", t.size(),
                          [&](size_t i) -> const std::string& { return t[i].info.Name; }},
                         given)]
        .info.Name;
}

// Every picture in `dir` whose name (without extension) is a texture's, ASCII case ignored.
std::vector<TextureEdit> importEdits(const TextureDictionary& d, const std::string& dir, const EncodeOptions& options,
                                     std::vector<std::string>& files) {
    std::vector<TextureEdit> out;
    for (const PictureForTexture& p : picturesForTextures(d, dir)) {
        out.push_back(ReplaceTexture{d.textures()[p.texture].info.Name, picture(p.file), options});
        files.push_back(p.file);
    }
    return out;
}

// The picture file an edit takes, to name in its refusal ("" for none).
std::string sourceOf(const TextureEdit& e, const std::vector<std::string>& files, size_t k) {
    return std::holds_alternative<AddTexture>(e) || std::holds_alternative<ReplaceTexture>(e) ? files.at(k) : "";
}

// Applies the edits in order; the lines they print are kept until all went through.
std::vector<std::string> applyAll(TextureDictionary& d, const std::vector<TextureEdit>& edits,
                                  const std::vector<std::string>& files = {}) {
    std::vector<std::string> lines;
    for (size_t k = 0; k < edits.size(); ++k) {
        const TextureEdit& e = edits[k];
        try {
            applyEdit(d, e);
        } catch (const UsageError& failure) {
            const std::string file = files.empty() ? "" : sourceOf(e, files, k);
            if (file.empty()) throw;
            throw UsageError(file + ": " + failure.what());
        }
        lines.push_back(cp1251ToUtf8(describeEdit(d, e)));
    }
    return lines;
}

void print(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) std::printf("%s\n", l.c_str());
}

int runCreateDictionary(const Args& args) {
    Options o = parseOptions(args, 1, "create");
    if (!o.game) throw BadUsage("txd create: give --game iii, vc or sa");
    if (o.rest.empty()) throw BadUsage("txd create: give the dictionary to create");
    const std::string out = o.rest.front();
    if (!o.force && (fileExists(out) || directoryExists(out)))
        throw UsageError("'" + out + "' exists already; give --force to replace it");
    TextureDictionary d = TextureDictionary::create(*o.game);
    std::vector<std::string> files;
    const auto edits = addEdits({o.rest.begin() + 1, o.rest.end()}, o.encode, files);
    const auto lines = applyAll(d, edits, files);
    writeLoose(out, d.write());
    std::printf("created %s\n", out.c_str());
    print(lines);
    return 0;
}

}  // namespace

int runTxd(const Args& args) {
    if (args.empty()) throw BadUsage("txd: give a dictionary (or an archive and its entry) and what to do");
    if (args[0] == "create") return runCreateDictionary(args);
    Place place{args[0], std::nullopt, 0};
    size_t at = 1;
    std::string entry;
    if (!isLooseDictionary(args[0])) {
        if (args.size() < 2) throw BadUsage("txd: give the dictionary entry of the archive");
        entry = args[at++];
    }
    if (at >= args.size()) throw BadUsage("txd: give what to do (add, replace, delete, rename, import)");
    const std::string verb = args[at];
    Options o = parseOptions(args, at + 1, verb);
    const auto& p = o.rest;

    static const std::map<std::string, std::pair<size_t, size_t>> arity = {
        {"add", {1, SIZE_MAX}}, {"replace", {2, 2}}, {"delete", {1, SIZE_MAX}}, {"rename", {2, 2}}, {"import", {1, 1}},
    };
    const auto a = arity.find(verb);
    if (a == arity.end()) throw BadUsage("txd: unknown action '" + verb + "'");
    if (p.size() < a->second.first || p.size() > a->second.second)
        throw BadUsage("txd " + verb + ": wrong number of arguments");
    if ((verb == "delete" || verb == "rename") && (o.encode.resize || o.encode.format != TargetFormat::Auto ||
                                                  o.encode.mipmaps != MipmapMode::Keep))
        throw BadUsage("txd " + verb + ": takes no picture options");

    TextureDictionary d = load(place, entry);
    std::vector<TextureEdit> edits;
    std::vector<std::string> files;
    if (verb == "add") {
        edits = addEdits(p, o.encode, files);
    } else if (verb == "replace") {
        edits.push_back(ReplaceTexture{textureName(d, p[0]), picture(p[1]), o.encode});
        files.push_back(p[1]);
    } else if (verb == "rename") {
        edits.push_back(RenameTexture{textureName(d, p[0]), toEntryName(p[1])});
    } else if (verb == "import") {
        edits = importEdits(d, p[0], o.encode, files);
    } else {
        for (const std::string& n : p) edits.push_back(DeleteTexture{textureName(d, n)});
    }

    const std::vector<std::string> lines = applyAll(d, edits, files);
    if (!edits.empty()) {
        if (place.archive) writeEntry(place, d.write());
        else writeLoose(place.path, d.write());
    }
    print(lines);
    return 0;
}

}  // namespace varmelo::cli
