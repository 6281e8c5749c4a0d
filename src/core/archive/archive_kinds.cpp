#include "core/archive/archive_kinds.h"

#include <array>
#include <cstring>

#include "core/archive/readers.h"
#include "core/io/codepage.h"
#include "core/io/endian.h"
#include "core/io/file_system.h"

namespace varmelo {

namespace {

template <size_t N>
bool startsWith(const uint8_t* head, const char (&magic)[N]) {
    return std::memcmp(head, magic, N - 1) == 0;
}

// A two-file IMG's .dir-less data file starts with the first entry's data; the second word
// tells a .pak (whose header word there is zero) from it.
bool secondWordSet(const uint8_t* head, const std::string&) { return u32le(head + 4) != 0; }
bool pakByName(const uint8_t*, const std::string& path) { return asciiUpper(extensionOf(path)) == ".PAK"; }

constexpr ArchiveKindInfo kKinds[] = {
    {.kind = TArchiveKind::akSyb,
     .name = "syb",
     .recognises = [](const uint8_t* h, const std::string&) { return startsWith(h, "VXBG"); },
     .read = readSybDirectory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false},
    {.kind = TArchiveKind::akImgV2,
     .name = "img2",
     .recognises = [](const uint8_t* h, const std::string&) { return startsWith(h, "VER2"); },
     .read = readImgV2Directory,
     .directory = DirectoryPlace::InArchive,
     .countsSectors = true,
     .editable = true},
    {.kind = TArchiveKind::akBig,
     .name = "big",
     .recognises = [](const uint8_t* h, const std::string&) { return startsWith(h, "BIGF"); },
     .read = readBigDirectory,
     .directory = DirectoryPlace::InArchive,
     .countsSectors = false,
     .editable = false},
    {.kind = TArchiveKind::akPk4,
     .name = "pk4",
     .recognises = [](const uint8_t* h, const std::string&) { return startsWith(h, "PK\x03\x04"); },
     .read = readPk4Directory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false,
     .listedCount = readPk4ListedCount},
    {.kind = TArchiveKind::akBin,
     .name = "bin",
     .recognises = [](const uint8_t* h, const std::string&) { return startsWith(h, "DBLD"); },
     .read = readBinDirectory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false},
    {.kind = TArchiveKind::akImgV1,
     .name = "img1",
     .recognises = secondWordSet,
     .read = readImgV1Directory,
     .directory = DirectoryPlace::DirFile,
     .countsSectors = true,
     .editable = true},
    {.kind = TArchiveKind::akPak,
     .name = "pak",
     .recognises = pakByName,
     .read = readPakDirectory,
     .directory = DirectoryPlace::Unused,
     .countsSectors = false,
     .editable = false},
};
static_assert(std::size(kKinds) == size_t(kArchiveKindCount), "one row per kind");

constexpr std::array<const ArchiveKindInfo*, kArchiveKindCount> byValue() {
    std::array<const ArchiveKindInfo*, kArchiveKindCount> out{};
    for (const ArchiveKindInfo& k : kKinds) out[size_t(k.kind)] = &k;
    return out;
}
constexpr auto kByValue = byValue();

}  // namespace

std::span<const ArchiveKindInfo> archiveKinds() { return kKinds; }

const ArchiveKindInfo& kindInfo(TArchiveKind k) { return *kByValue.at(size_t(k)); }

}  // namespace varmelo
