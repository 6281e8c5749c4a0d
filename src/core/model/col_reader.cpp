#include "core/model/col_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

constexpr uint64_t kListedName = 20;
constexpr uint64_t kNameField = 22;
constexpr uint64_t kV1Head = 72;                 // through the bounding box
constexpr uint64_t kV2Head = 4 + 100;            // through the face offset
constexpr uint64_t kSphereBytes = 20, kBoxBytes = 28, kV1VertexBytes = 12, kV1FaceBytes = 16;
constexpr uint64_t kV2VertexBytes = 6, kV2FaceBytes = 8;

int versionOf(const uint8_t* magic) {
    if (std::memcmp(magic, "COLL", 4) == 0) return 1;
    if (std::memcmp(magic, "COL2", 4) == 0) return 2;
    if (std::memcmp(magic, "COL3", 4) == 0) return 3;
    return 0;
}

std::string zeroEnded(const uint8_t* p, size_t n) {
    size_t len = 0;
    while (len < n && p[len] != 0) ++len;
    return std::string(reinterpret_cast<const char*>(p), len);
}

Vec3 vec3At(const uint8_t* p) { return {f32le(p), f32le(p + 4), f32le(p + 8)}; }
ColBox boxAt(const uint8_t* p) { return {vec3At(p), vec3At(p + 12)}; }

// Reads of one record: every block is cut at the record's end.
class RecordBytes {
public:
    RecordBytes(EntryReader& r, uint64_t end) : r_(r), end_(end) {}
    uint64_t end() const { return end_; }
    // How many of `count` items of `size` bytes at `at` lie inside the record.
    uint64_t fitting(uint64_t at, uint64_t count, uint64_t size) const {
        if (at >= end_) return 0;
        return std::min(count, (end_ - at) / size);
    }
    std::vector<uint8_t> read(uint64_t at, uint64_t bytes) {
        r_.seek(at);
        return r_.read(size_t(bytes));
    }

private:
    EntryReader& r_;
    uint64_t end_;
};

// Reads `count` items at `at` as far as they fit; `cut` notes a shortfall.
template <typename T, typename Decode>
std::vector<T> readBlock(RecordBytes& rec, uint64_t at, uint64_t count, uint64_t size, bool& cut, Decode decode) {
    const uint64_t n = rec.fitting(at, count, size);
    if (n < count) cut = true;
    std::vector<T> out;
    if (n == 0) return out;
    const std::vector<uint8_t> b = rec.read(at, n * size);
    out.reserve(size_t(n));
    for (uint64_t i = 0; i < n; ++i) out.push_back(decode(b.data() + i * size));
    return out;
}

// One u32 count at `pos`, or nothing when it does not fit (the record is cut there).
bool readCount(RecordBytes& rec, uint64_t& pos, uint32_t& count) {
    if (rec.fitting(pos, 1, 4) == 0) return false;
    count = u32le(rec.read(pos, 4).data());
    pos += 4;
    return true;
}

void readVersion1(RecordBytes& rec, uint64_t start, ColRecord& out) {
    const std::vector<uint8_t> h = rec.read(start + 32, kV1Head - 32);
    out.bound = {vec3At(h.data() + 4), f32le(h.data())};
    out.box = boxAt(h.data() + 16);
    uint64_t pos = start + kV1Head;
    uint32_t count = 0;
    auto sphere = [](const uint8_t* p) { return ColSphere{vec3At(p + 4), f32le(p)}; };
    auto vertex = [](const uint8_t* p) { return vec3At(p); };
    auto face = [](const uint8_t* p) { return ColFace{u32le(p), u32le(p + 4), u32le(p + 8)}; };
    // Each block follows the previous one: once one is cut, the rest lie beyond the end.
    if (!readCount(rec, pos, count)) return void(out.cut = true);
    out.spheres = readBlock<ColSphere>(rec, pos, count, kSphereBytes, out.cut, sphere);
    if (out.cut) return;
    pos += count * kSphereBytes;
    uint32_t lines = 0;
    if (!readCount(rec, pos, lines) || !readCount(rec, pos, count)) return void(out.cut = true);
    out.boxes = readBlock<ColBox>(rec, pos, count, kBoxBytes, out.cut, boxAt);
    if (out.cut) return;
    pos += count * kBoxBytes;
    if (!readCount(rec, pos, count)) return void(out.cut = true);
    out.vertices = readBlock<Vec3>(rec, pos, count, kV1VertexBytes, out.cut, vertex);
    if (out.cut) return;
    pos += count * kV1VertexBytes;
    if (!readCount(rec, pos, count)) return void(out.cut = true);
    out.faces = readBlock<ColFace>(rec, pos, count, kV1FaceBytes, out.cut, face);
}

Vec3 compressedVertex(const uint8_t* p) {
    return {float(int16_t(u16le(p))) / 128.0f, float(int16_t(u16le(p + 2))) / 128.0f,
            float(int16_t(u16le(p + 4))) / 128.0f};
}

void readVersion2(RecordBytes& rec, uint64_t start, ColRecord& out) {
    const std::vector<uint8_t> h = rec.read(start + 32, kV2Head - 32);
    const uint8_t* p = h.data();
    out.box = boxAt(p);
    out.bound = {vec3At(p + 24), f32le(p + 36)};
    const uint16_t spheres = u16le(p + 40), boxes = u16le(p + 42);
    const uint32_t faces = u32le(p + 44);
    const uint64_t base = start + 4;
    const uint64_t sphereAt = base + u32le(p + 52), boxAt_ = base + u32le(p + 56);
    const uint64_t vertexAt = base + u32le(p + 64), faceAt = base + u32le(p + 68);

    out.spheres = readBlock<ColSphere>(rec, sphereAt, spheres, kSphereBytes, out.cut,
                                       [](const uint8_t* q) { return ColSphere{vec3At(q), f32le(q + 12)}; });
    out.boxes = readBlock<ColBox>(rec, boxAt_, boxes, kBoxBytes, out.cut, boxAt);
    out.faces = readBlock<ColFace>(rec, faceAt, faces, kV2FaceBytes, out.cut,
                                   [](const uint8_t* q) { return ColFace{u16le(q), u16le(q + 2), u16le(q + 4)}; });
    uint64_t needed = 0;
    for (const ColFace& f : out.faces) needed = std::max<uint64_t>(needed, std::max({f.a, f.b, f.c}) + uint64_t(1));
    out.vertices = readBlock<Vec3>(rec, vertexAt, needed, kV2VertexBytes, out.cut, compressedVertex);
}

}  // namespace

Vec3 ColBox::size() const { return {std::fabs(max.x - min.x), std::fabs(max.y - min.y), std::fabs(max.z - min.z)}; }

ColScan ScanColRecords(EntryReader& entry) {
    ColScan scan;
    try {
        uint64_t pos = 0;
        while (entry.size() - pos >= 8) {
            entry.seek(pos);
            uint8_t head[8];
            entry.read(head, sizeof head);
            if (const int version = versionOf(head); version != 0) {
                uint8_t name[kListedName] = {};
                entry.read(name, size_t(std::min<uint64_t>(kListedName, entry.remaining())));
                scan.records.push_back({std::string(reinterpret_cast<const char*>(head), 4),
                                        zeroEnded(name, kListedName), pos});
            }
            const uint64_t size = u32le(head + 4);
            if (size >= entry.size() - pos - 8) break;  // the next record would start at or past the end
            pos += 8 + size;
        }
    } catch (const FileError& e) {
        scan.error = e.what();
    }
    return scan;
}

ColRecord ReadColRecord(EntryReader& entry, uint64_t offset) {
    ColRecord out;
    out.offset = offset;
    try {
        if (offset > entry.size() || entry.size() - offset < 8) throwReadBeyondEnd();
        entry.seek(offset);
        uint8_t head[8];
        entry.read(head, sizeof head);
        out.magic.assign(reinterpret_cast<const char*>(head), 4);
        out.version = versionOf(head);
        if (out.version == 0) return out;
        const uint64_t end = offset + 8 + std::min<uint64_t>(u32le(head + 4), entry.size() - offset - 8);
        RecordBytes rec(entry, end);
        const uint64_t headBytes = out.version == 1 ? kV1Head : kV2Head;
        // The name is shown even when the rest of the head is missing.
        const std::vector<uint8_t> name = rec.read(offset + 8, rec.fitting(offset + 8, kNameField, 1));
        out.modelName = zeroEnded(name.data(), name.size());
        out.name = zeroEnded(name.data(), std::min<size_t>(name.size(), kListedName));
        if (rec.fitting(offset, headBytes, 1) < headBytes) throwReadBeyondEnd();
        if (out.version == 1) readVersion1(rec, offset, out);
        else readVersion2(rec, offset, out);
    } catch (const FileError& e) {
        out.error = e.what();
    }
    return out;
}

uint64_t colVertexCount(const ColRecord& r) {
    if (r.version == 1) return r.vertices.size();
    uint64_t n = 0;
    for (const ColFace& f : r.faces) n = std::max<uint64_t>(n, std::max({f.a, f.b, f.c}) + uint64_t(1));
    return n;
}

}  // namespace varmelo
