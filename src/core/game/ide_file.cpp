#include "core/game/ide_file.h"

#include <algorithm>

#include "core/game/text_fields.h"
#include "core/io/codepage.h"

namespace varmelo {

namespace {

constexpr const char* kSectionNames[kIdeSectionCount] = {"objs", "tobj", "anim", "peds",
                                                         "cars", "weap", "hier", "txdp"};

std::optional<IdeSection> sectionOf(std::string_view word) {
    const std::string lower = asciiLower(word);
    for (size_t i = 0; i < kIdeSectionCount; ++i)
        if (lower == kSectionNames[i]) return IdeSection(i);
    return std::nullopt;
}

// The fields that follow the first six of a cars line: III has no anims field.
void readCarTail(const std::vector<std::string_view>& f, GameKind game, IdeCar& car) {
    const size_t rules = game == GameKind::Iii ? 9 : 10;
    if (f.size() > rules) car.compRules = std::string(f[rules]);
    const size_t tail = rules + 1;
    const std::string type = asciiLower(car.type);
    const bool bike = type == "bike" || type == "bmx";
    const bool lodInstead = type == "plane" && game != GameKind::Sa;
    if (f.size() > tail && !bike && !lodInstead) car.wheelModelId = parseInt(f[tail]);
    if (f.size() > tail + 1) car.wheelScaleFront = parseFloat(f[tail + 1]);
    if (game == GameKind::Sa) {
        if (f.size() > tail + 2) car.wheelScaleRear = parseFloat(f[tail + 2]);
    } else {
        car.wheelScaleRear = car.wheelScaleFront;
    }
}

bool readRecord(std::string_view line, IdeSection section, GameKind game, std::vector<std::string_view>& f,
                IdeFile& out) {
    // Only cars lines are read past their first three fields.
    splitFields(line, f, section == IdeSection::Cars ? SIZE_MAX : 3);
    if (section == IdeSection::Txdp) {
        if (f.size() < 2) return false;
        out.txdParents.push_back({std::string(f[0]), std::string(f[1])});
        return true;
    }
    if (f.size() < 3) return false;
    const std::optional<int32_t> id = parseInt(f[0]);
    if (!id) return false;
    std::shared_ptr<const IdeCar> car;
    if (section == IdeSection::Cars) {
        if (f.size() < 4) return false;
        auto c = std::make_shared<IdeCar>();
        c->type = std::string(f[3]);
        readCarTail(f, game, *c);
        car = std::move(c);
    }
    out.records.push_back({section, *id, f[1], f[2], std::move(car)});
    return true;
}

}  // namespace

const char* ideSectionName(IdeSection s) { return kSectionNames[size_t(s)]; }

size_t IdeFile::count(IdeSection s) const {
    if (s == IdeSection::Txdp) return txdParents.size();
    return size_t(std::count_if(records.begin(), records.end(), [s](const IdeRecord& r) { return r.section == s; }));
}

IdeFile parseIde(std::string owned, GameKind game) {
    IdeFile out;
    out.text = std::make_shared<const std::string>(std::move(owned));
    const std::string_view text = *out.text;
    // Room for the records of a real file (their lines are 30 to 100 bytes long): few moves
    // while reading one, and no large allocation for a file of garbage.
    out.records.reserve(std::min<size_t>(text.size() / 24 + 1, 1u << 14));
    TextLines lines(text);
    uint32_t number = 0;
    enum { Outside, Known, Unknown } state = Outside;
    IdeSection section = IdeSection::Objs;
    std::vector<std::string_view> fields;
    for (std::string_view line; lines.next(line);) {
        ++number;
        if (line.empty()) continue;
        if (state != Outside && line.size() == 3 && asciiLower(line) == "end") {
            state = Outside;
        } else if (state == Outside) {
            const std::optional<IdeSection> s = sectionOf(line);
            state = s ? Known : Unknown;
            if (s) section = *s;
        } else if (state == Known && !readRecord(line, section, game, fields, out)) {
            out.badLines.push_back(number);
        }
    }
    return out;
}

}  // namespace varmelo
