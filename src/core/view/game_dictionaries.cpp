#include "core/view/game_dictionaries.h"

#include <algorithm>
#include <set>

#include "core/archive/open_entry.h"
#include "core/game/case_path.h"
#include "core/io/codepage.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"
#include "core/view/model_dictionary.h"

namespace varmelo {

namespace {

// "MODELS\GENERIC\Vehicle.TXD" -> "vehicle"; a name without ".txd" stays whole.
std::string dictionaryName(const std::string& path) {
    std::string name = path.substr(path.find_last_of("/\\") + 1);
    name = asciiLower(name);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txd") == 0) name.resize(name.size() - 4);
    return name;
}

const char* sharedVehicleDictionary(GameKind kind) {
    return kind == GameKind::Sa ? "models/generic/vehicle.txd" : "models/generic.txd";
}

bool isVehicle(const std::optional<GameModelRecord>& record) {
    return record && record->section == IdeSection::Cars;
}

}  // namespace

std::vector<const Archive*> gameArchives(const GameData& game) {
    std::vector<std::string> keys = {"models/gta3.img"};
    if (game.kind == GameKind::Sa) keys.push_back("models/gta_int.img");
    for (const GameDatRead& d : game.dats)
        for (const DatLine& line : d.dat.lines)
            if (line.keyword == DatKeyword::Img) keys.push_back(pathKey(line.path));
    std::vector<const Archive*> out;
    for (const std::string& key : keys) {
        const auto it = game.archives.find(key);
        if (it != game.archives.end() && std::find(out.begin(), out.end(), &it->second) == out.end())
            out.push_back(&it->second);
    }
    return out;
}

std::optional<EntryReader> openGameEntry(const GameData& game, const Archive* modelArchive, const std::string& name) {
    const std::string wanted = asciiLower(name);
    std::vector<const Archive*> archives = gameArchives(game);
    if (modelArchive) archives.insert(archives.begin(), modelArchive);
    for (const Archive* a : archives)
        for (const TEntryRec& e : a->Entries)
            if (asciiLower(e.Name) == wanted) return openEntryReader(*a, e);
    return std::nullopt;
}

namespace {

std::optional<EntryReader> openLink(const GameData& game, const Archive* modelArchive, const std::string& name,
                                    bool sharedVehicle) {
    if (sharedVehicle) {
        const auto path = resolveIgnoringCase(game.folder, sharedVehicleDictionary(game.kind));
        return path ? std::optional<EntryReader>(openDictionaryFile(*path)) : std::nullopt;
    }
    if (auto r = openGameEntry(game, modelArchive, name + ".txd")) return r;
    for (const GameDatRead& d : game.dats)
        for (const DatLine& line : d.dat.lines)
            if (line.keyword == DatKeyword::TexDiction && dictionaryName(line.path) == name)
                if (const auto path = resolveIgnoringCase(game.folder, line.path)) return openDictionaryFile(*path);
    return std::nullopt;
}

// The txdp parent named for `txd`, or nothing.
std::optional<std::string> parentOf(const GameData& game, const std::string& txd) {
    for (const GameIdeRead& file : game.ides)
        for (const TxdParent& p : file.ide.txdParents)
            if (dictionaryName(p.txd) == txd) return dictionaryName(p.parent);
    return std::nullopt;
}

struct OpenLink {
    std::optional<EntryReader> reader;
    TxdTable table;
};

}  // namespace

std::vector<std::string> dictionaryChain(const GameData& game, const std::optional<GameModelRecord>& record,
                                         const std::string& chosenName) {
    std::vector<std::string> chain;
    auto add = [&](const std::string& name) {
        if (name.empty() || std::find(chain.begin(), chain.end(), name) != chain.end()) return false;
        chain.push_back(name);
        return true;
    };
    if (!chosenName.empty()) add(dictionaryName(chosenName));
    if (record) {
        std::set<std::string> seen;
        std::string txd = dictionaryName(record->txd);
        if (chosenName.empty()) add(txd);
        seen.insert(txd);
        // The parents of the record's dictionary, the chosen one replacing the first link only.
        for (auto parent = parentOf(game, txd); parent && seen.insert(*parent).second; parent = parentOf(game, *parent))
            add(*parent);
    }
    if (isVehicle(record)) add(dictionaryName(sharedVehicleDictionary(game.kind)));
    return chain;
}

GameTextures loadGameTextures(const GameData& game, const DffClump& clump,
                              const std::optional<GameModelRecord>& record, const Archive* modelArchive,
                              std::optional<ChosenDictionary> chosen) {
    GameTextures out;
    const std::vector<std::string> names = dictionaryChain(game, record, chosen ? chosen->name : "");
    const std::string shared = dictionaryName(sharedVehicleDictionary(game.kind));
    std::vector<OpenLink> links(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        DictionaryLink link{names[i], false, ""};
        try {
            if (i == 0 && chosen) links[i].reader = std::move(chosen->reader);
            else links[i].reader = openLink(game, modelArchive, names[i], isVehicle(record) && names[i] == shared);
            link.found = links[i].reader.has_value();
            if (link.found) {
                links[i].reader->seek(0);
                links[i].table = ReadTextureTable(*links[i].reader);
                link.error = links[i].table.error;
            }
        } catch (const std::runtime_error& e) {
            links[i].reader.reset();
            link.error = e.what();
        }
        out.chain.push_back(link);
    }
    for (const std::string& name : materialTextureNames(clump)) {
        TextureSource source{asciiLower(name), std::nullopt};
        for (size_t i = 0; i < links.size() && !source.dictionary; ++i) {
            if (!links[i].reader) continue;
            for (const TTexRec& t : links[i].table.textures) {
                if (!sameAsciiName(t.Name, name)) continue;
                TexelImage texels;
                try {
                    if (DecodeTexels(*links[i].reader, t, texels) != DecodeStatus::Ok) continue;
                } catch (const std::runtime_error&) {
                    continue;
                }
                out.textures.found.push_back({name, std::move(texels.image)});
                source.dictionary = names[i];
                break;
            }
        }
        if (!source.dictionary) out.textures.missing.push_back(name);
        out.sources.push_back(std::move(source));
    }
    return out;
}

}  // namespace varmelo
