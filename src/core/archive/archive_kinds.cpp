#include "core/archive/archive_kinds.h"

#include <array>
#include <cstring>

#include "core/archive/readers.h"
#include "core/io/codepage.h"
#include "core/io/endian.h"
#include "core/io/file_system.h"

namespace varmelo {

namespace {

// A two-file IMG's .dir-less data file starts with the first entry's data; the second word
// tells a .pak (whose header word there is zero) from it.
bool secondWordSet(const uint8_t* head, const std::string&) { return u32le(head + 4) != 0; }
bool pakByName(const uint8_t*, const std::string& path) { return asciiUpper(extensionOf(path)) == ".PAK"; }

constexpr ArchiveFileType kGtaImgFiles{.extension = "img",
                                       .command = "ServiceGTA1",
                                       .menuCaption = "Архивы Grand Theft Auto",
                                       .comment = "Grand Theft Auto IMG archive",
                                       .commentRu = "Архив Grand Theft Auto IMG"};

constexpr ArchiveKindInfo kKinds[] = {
    {.kind = TArchiveKind::akSyb,
     .name = "syb",
     .magic = "VXBG",
     .read = readSybDirectory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false,
     .files = {.extension = "syb",
               .command = "ServiceSyberia1",
               .menuCaption = "Архивы Syberia",
               .comment = "Syberia archive",
               .commentRu = "Архив Syberia",
               .filterCaption = "Архивы Syberia 2"}},
    {.kind = TArchiveKind::akImgV2,
     .name = "img2",
     .magic = "VER2",
     .read = readImgV2Directory,
     .directory = DirectoryPlace::InArchive,
     .countsSectors = true,
     .editable = true,
     .files = kGtaImgFiles},
    {.kind = TArchiveKind::akBig,
     .name = "big",
     .magic = "BIGF",
     .read = readBigDirectory,
     .directory = DirectoryPlace::InArchive,
     .countsSectors = false,
     .editable = false,
     .files = {.extension = "big",
               .command = "ServiceHP1",
               .menuCaption = "Архивы Harry Potter and the Goblet of Fire",
               .comment = "Harry Potter and the Goblet of Fire archive",
               .commentRu = "Архив Harry Potter and the Goblet of Fire"}},
    {.kind = TArchiveKind::akPk4,
     .name = "pk4",
     .magic = "PK\x03\x04",
     .read = readPk4Directory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false,
     .listedCount = readPk4ListedCount,
     .files = {.extension = "pk4",
               .command = "ServicePrey1",
               .menuCaption = "Архивы Prey",
               .comment = "Prey archive",
               .commentRu = "Архив Prey",
               .mimeParent = "application/zip"}},
    {.kind = TArchiveKind::akBin,
     .name = "bin",
     .magic = "DBLD",
     .read = readBinDirectory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false,
     .files = {.extension = "bin",
               .command = "ServiceBratva1",
               .menuCaption = "Архивы \"Братвы и Кольца\"",
               .comment = "«Братва и Кольцо» archive",
               .commentRu = "Архив «Братвы и Кольца»"}},
    {.kind = TArchiveKind::akImgV1,
     .name = "img1",
     .recognises = secondWordSet,
     .read = readImgV1Directory,
     .directory = DirectoryPlace::DirFile,
     .countsSectors = true,
     .editable = true,
     .files = kGtaImgFiles},
    {.kind = TArchiveKind::akPak,
     .name = "pak",
     .recognises = pakByName,
     .read = readPakDirectory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false,
     .files = {.extension = "pak",
               .command = "ServiceCleaners1",
               .menuCaption = "Архивы \"Санитаров Подземелий\"",
               .comment = "«Санитары Подземелий» archive",
               .commentRu = "Архив «Санитаров Подземелий»"}},
};
static_assert(std::size(kKinds) == size_t(kArchiveKindCount), "one row per kind");

constexpr bool everyRowRecognisable() {
    for (const ArchiveKindInfo& k : kKinds)
        if (k.magic.size() > 8 || (k.magic.empty() && !k.recognises)) return false;
    return true;
}
static_assert(everyRowRecognisable(), "a row has a recogniser or a magic of at most the 8 bytes detection reads");

constexpr std::array<const ArchiveKindInfo*, kArchiveKindCount> byValue() {
    std::array<const ArchiveKindInfo*, kArchiveKindCount> out{};
    for (const ArchiveKindInfo& k : kKinds) out[size_t(k.kind)] = &k;
    return out;
}
constexpr auto kByValue = byValue();

}  // namespace

std::span<const ArchiveKindInfo> archiveKinds() { return kKinds; }

const ArchiveKindInfo& kindInfo(TArchiveKind k) { return *kByValue.at(size_t(k)); }

bool recognisedBy(const ArchiveKindInfo& row, const uint8_t* head, const std::string& path) {
    if (row.recognises) return row.recognises(head, path);
    return !row.magic.empty() && std::memcmp(head, row.magic.data(), row.magic.size()) == 0;
}

}  // namespace varmelo
