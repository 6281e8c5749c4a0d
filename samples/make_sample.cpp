// Builds the sample "VER2" archive from manifests:
//   make_sample OUTPUT MANIFEST...
// Each manifest line is "entry name<TAB>file" (the name in UTF-8, stored in Windows-1251;
// the file relative to the manifest's folder unless absolute); "#" starts a comment line.
// Entries follow in manifest order. The header and directory are padded to 4096 bytes and
// every entry starts on a 2048-byte sector, as in a rebuilt archive.
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/archive_kind.h"
#include "core/archive/img_record.h"
#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/file_system.h"

using namespace varmelo;

namespace {

struct Item {
    std::string name;  // Windows-1251
    std::string path;
};

std::vector<Item> readManifest(const std::string& manifest) {
    std::ifstream in(manifest);
    if (!in) throw std::runtime_error(manifest + ": cannot be read");
    std::vector<Item> items;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        auto where = [&] { return manifest + ":" + std::to_string(number) + ": "; };
        auto tab = line.find('\t');
        if (tab == std::string::npos || tab == 0 || tab + 1 == line.size())
            throw std::runtime_error(where() + "expected \"name<TAB>file\"");
        auto name = utf8ToCp1251(line.substr(0, tab));
        if (!name) throw std::runtime_error(where() + "the name has no Windows-1251 form");
        if (name->size() > kImgNameLength) throw std::runtime_error(where() + "the name is longer than 24 bytes");
        std::string file = line.substr(tab + 1);
        if (file[0] != '/') file = folderOf(manifest) + "/" + file;
        items.push_back({*name, file});
    }
    return items;
}

void writeArchive(const std::string& output, const std::vector<Item>& items) {
    const std::string temp = output + ".part";
    {
        BinaryFile out = BinaryFile::create(temp);
        uint64_t header = kVer2HeaderSize + items.size() * kImgRecordSize;
        uint64_t dataStart = (header + 4095) / 4096 * 4096;
        std::vector<TEntryRec> entries;
        out.seek(dataStart);
        for (const Item& item : items) {
            BinaryFile in = BinaryFile::openRead(item.path);
            std::vector<uint8_t> data = in.readExact(size_t(in.size()));
            TEntryRec e;
            e.Offset = uint32_t(out.pos() / kSectorSize);
            e.Size = uint32_t((data.size() + kSectorSize - 1) / kSectorSize);
            e.Name = item.name;
            out.write(data.data(), data.size());
            out.writeZeros(uint64_t(e.Size) * kSectorSize - data.size());
            entries.push_back(e);
        }
        out.seek(0);
        out.write("VER2", 4);
        out.writeU32le(uint32_t(entries.size()));
        for (const TEntryRec& e : entries) {
            ImgRecord r = encodeImgRecord(e);
            out.write(r.data(), r.size());
        }
        out.writeZeros(dataStart - header);
        out.sync();
    }
    renameFile(temp, output);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: make_sample OUTPUT MANIFEST...\n", stderr);
        return 2;
    }
    try {
        std::vector<Item> items;
        for (int k = 2; k < argc; ++k) {
            auto more = readManifest(argv[k]);
            items.insert(items.end(), more.begin(), more.end());
        }
        writeArchive(argv[1], items);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
