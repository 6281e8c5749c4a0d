#include "core/game/game_data.h"

#include <set>

#include "core/archive/open_archive.h"
#include "core/archive/readers.h"
#include "core/game/case_path.h"
#include "core/game/text_fields.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

namespace {

class GameReader {
public:
    GameReader(const std::string& folder, GameKind kind) : resolver_(folder) {
        data_.folder = folder;
        data_.kind = kind;
    }

    GameData read() {
        readDat("data/default.dat");
        readDat(gameDatPath(data_.kind));
        std::set<std::string> seenIde;
        std::vector<std::string> imgs = {"models/gta3.img"};
        if (data_.kind == GameKind::Sa) imgs.push_back("models/gta_int.img");
        for (const GameDatRead& d : data_.dats)
            for (const DatLine& line : d.dat.lines) {
                if (line.keyword == DatKeyword::Img) imgs.push_back(line.path);
                if (line.keyword == DatKeyword::Ide && seenIde.insert(pathKey(line.path)).second) readIde(line.path);
            }
        for (const std::string& img : imgs) readImg(img);
        if (const auto text = readText("data/carcols.dat")) data_.carcols = parseCarcols(*text);
        return std::move(data_);
    }

private:
    // The file's text, or nothing with the reason listed.
    std::optional<std::string> readText(const std::string& path) {
        const std::optional<std::string> real = resolver_.resolve(path);
        if (!real) {
            data_.problems.push_back({path, kFileNotFound});
            return std::nullopt;
        }
        try {
            return readGameTextFile(*real);
        } catch (const std::runtime_error& e) {
            data_.problems.push_back({path, e.what()});
            return std::nullopt;
        }
    }

    void readDat(const std::string& path) {
        if (const auto text = readText(path)) data_.dats.push_back({path, parseDat(*text)});
    }

    void readIde(const std::string& path) {
        if (auto text = readText(path)) data_.ides.push_back({path, parseIde(std::move(*text), data_.kind)});
    }

    void readImg(const std::string& path) {
        const std::string key = pathKey(path);
        if (data_.archives.count(key) != 0) return;
        const std::optional<std::string> real = resolver_.resolve(path);
        if (!real) {
            data_.problems.push_back({path, kFileNotFound});
            return;
        }
        try {
            Archive a = locateArchive(*real);
            // The ".dir" beside a two-file archive may differ in case from its ".img" too.
            if (directoryFileMissing(a)) {
                const std::string dir = fileNameOf(replaceExtension(*real, ".dir"));
                const auto realDir = resolveIgnoringCase(folderOf(*real), dir);
                if (!realDir) throw FileError(kFileNotFound);
                a.DirPath = *realDir;
            }
            ReadDirectory(a);
            data_.archives.emplace(key, std::move(a));
        } catch (const std::runtime_error& e) {
            data_.problems.push_back({path, e.what()});
        }
    }

    GameData data_;
    CaseResolver resolver_;
};

}  // namespace

GameData readGameData(const std::string& folder) {
    const std::optional<GameKind> kind = gameKindOf(folder);
    if (!kind) throw UsageError("Not a game folder: no data/gta.dat, data/gta_vc.dat or data/gta3.dat");
    return GameReader(folder, *kind).read();
}

}  // namespace varmelo
