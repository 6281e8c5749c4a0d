#include "core/game/game_data.h"

#include <set>
#include <system_error>
#include <thread>

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
        std::vector<std::string> imgs = {"models/gta3.img"}, ides;
        if (data_.kind == GameKind::Sa) imgs.push_back("models/gta_int.img");
        for (const GameDatRead& d : data_.dats)
            for (const DatLine& line : d.dat.lines) {
                if (line.keyword == DatKeyword::Img) imgs.push_back(line.path);
                if (line.keyword == DatKeyword::Ide && seenIde.insert(pathKey(line.path)).second) ides.push_back(line.path);
            }
        readIdes(ides);
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

    struct IdeJob {
        std::optional<std::string> real;  // the file on disk; nothing when it is not there
        std::optional<IdeFile> ide;
        std::string error;
    };

    // Reading and parsing the IDE files is most of a game's reading: the second half of the
    // list goes to a thread of its own. The paths are found first, on this thread (the
    // resolver remembers folders); the results are taken in .dat order.
    void readIdes(const std::vector<std::string>& paths) {
        std::vector<IdeJob> jobs(paths.size());
        for (size_t i = 0; i < paths.size(); ++i) jobs[i].real = resolver_.resolve(paths[i]);
        const GameKind kind = data_.kind;
        const auto work = [&jobs, kind](size_t from, size_t to) noexcept {
            for (size_t i = from; i < to; ++i) {
                if (!jobs[i].real) continue;
                try {
                    jobs[i].ide = parseIde(readGameTextFile(*jobs[i].real), kind);
                } catch (const std::exception& e) {
                    jobs[i].error = e.what();
                }
            }
        };
        const size_t half = jobs.size() >= 8 ? jobs.size() / 2 : jobs.size();
        std::thread other;
        try {
            if (half < jobs.size()) other = std::thread(work, half, jobs.size());
        } catch (const std::system_error&) {
            // No thread to be had: this one reads them all.
        }
        work(0, half);
        if (other.joinable()) other.join();
        else work(half, jobs.size());
        for (size_t i = 0; i < jobs.size(); ++i) {
            if (jobs[i].ide) data_.ides.push_back({paths[i], std::move(*jobs[i].ide)});
            else data_.problems.push_back({paths[i], jobs[i].real ? jobs[i].error : std::string(kFileNotFound)});
        }
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
