#include "cli/model_inspect.h"

#include "cli/game_look_output.h"
#include "cli/json_writer.h"
#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/model/col_reader.h"
#include "core/model/dff_parts.h"
#include "core/model/dff_reader.h"
#include "core/export/gltf_export.h"
#include "core/view/clump_as_shown.h"
#include "core/view/model_textures.h"
#include "core/export/obj_export.h"

namespace varmelo::cli {

namespace {

std::string utf8(const std::string& s) { return cp1251ToUtf8(s); }

void vec(JsonWriter& w, Vec3 v) { w.beginArray().number(v.x).number(v.y).number(v.z).endArray(); }
void sphere(JsonWriter& w, Vec3 c, float r) { w.beginArray().number(c.x).number(c.y).number(c.z).number(r).endArray(); }
void box(JsonWriter& w, Vec3 min, Vec3 max) {
    w.beginObject().key("min");
    vec(w, min);
    w.key("max");
    vec(w, max);
    w.endObject();
}

std::string text(float v) {
    JsonWriter w;
    w.number(v);
    return w.text();
}
std::string text(Vec3 v) {
    // Appended piece by piece: a short literal put before a temporary string makes GCC 12 at
    // -O3 warn of overlapping copies (-Wrestrict) that cannot happen.
    std::string s = "(";
    s += text(v.x) + ", " + text(v.y) + ", " + text(v.z) + ")";
    return s;
}

uint64_t drawnTriangles(const DffClump& c, const DffPart& p) {
    if (!p.placed()) return 0;
    const DffGeometry& g = c.geometries[size_t(p.geometry)];
    if (g.nativeData()) return 0;
    uint64_t n = 0;
    for (const auto& t : g.triangles) n += drawable(g, t) ? 1 : 0;
    return n;
}

uint64_t partVertexCount(const DffClump& c, const DffPart& p) {
    return p.placed() ? uint64_t(std::max(c.geometries[size_t(p.geometry)].vertexCount, 0)) : 0;
}

std::string dffJson(const DffClump& c, const GameLook* look) {
    JsonWriter w;
    w.beginObject().key("type").value("dff");
    w.key("vertices").value(c.totalVertices).key("triangles").value(c.totalTriangles);
    w.key("badTriangles").value(c.badTriangles);
    w.key("radius").number(c.largestRadius);
    w.key("frames").beginArray();
    for (const DffFrame& f : c.frames) {
        w.newline().beginObject().key("name").value(utf8(f.name));
        w.key("parent").number(double(f.parent)).key("position");
        vec(w, f.position);
        w.endObject();
    }
    w.endArray().key("atomics").beginArray();
    for (const DffAtomic& a : c.atomics)
        w.newline().beginObject().key("frame").number(double(a.frame)).key("geometry").number(double(a.geometry)).endObject();
    w.endArray().key("geometries").beginArray();
    for (const DffGeometry& g : c.geometries) {
        w.newline().beginObject().key("flags").value(uint64_t(g.flags & 0xFFFF));
        w.key("vertices").number(double(g.vertexCount)).key("triangles").number(double(g.triangleCount));
        w.key("badTriangles").value(uint64_t(g.badTriangles));
        w.key("sphere");
        sphere(w, g.sphere.centre, g.sphere.radius);
        w.endObject();
    }
    w.endArray().key("parts").beginArray();
    for (const DffPart& p : dffParts(c)) {
        w.newline().beginObject().key("name").value(utf8(p.caption));
        w.key("vertices").value(partVertexCount(c, p)).key("triangles").value(drawnTriangles(c, p));
        const auto b = partBounds(c, p);
        w.key("min");
        if (b) vec(w, b->min);
        else w.null();
        w.key("max");
        if (b) vec(w, b->max);
        else w.null();
        w.endObject();
    }
    w.endArray();
    if (!c.notes.empty()) {
        w.key("notes").beginArray();
        for (const std::string& n : c.notes) w.value(n);
        w.endArray();
    }
    if (look) writeGameLook(w, *look);
    if (!c.error.empty()) w.key("error").value(c.error);
    w.endObject().newline();
    return w.text();
}

std::string dffText(const DffClump& c, const GameLook* look) {
    std::string o = "model, " + std::to_string(c.totalVertices) + " vertices, " + std::to_string(c.totalTriangles) +
                    " triangles, radius " + text(c.largestRadius) + "\n";
    o += std::to_string(c.frames.size()) + " frames, " + std::to_string(c.geometries.size()) + " geometries, " +
         std::to_string(c.atomics.size()) + " atomics\n";
    if (c.badTriangles) o += std::to_string(c.badTriangles) + " triangles with vertices out of range (not drawn)\n";
    for (const std::string& n : c.notes) o += n + "\n";
    const auto parts = dffParts(c);
    for (size_t i = 0; i < parts.size(); ++i) {
        const DffPart& p = parts[i];
        // Appended piece by piece: "#" put before a temporary string makes GCC 12 at -O3 warn of
        // overlapping copies (-Wrestrict) that cannot happen.
        o += '#';
        o += std::to_string(i) + "\t" + (p.caption.empty() ? "-" : utf8(p.caption)) + "\t";
        if (!p.placed()) {
            o += "nothing to draw\n";
            continue;
        }
        const DffGeometry& g = c.geometries[size_t(p.geometry)];
        o += "geometry " + std::to_string(p.geometry) + ", " + std::to_string(partVertexCount(c, p)) + " vertices, " +
             std::to_string(drawnTriangles(c, p)) + " triangles";
        if (g.nativeData()) o += ", native data (not drawn)";
        else o += g.storedNormals() ? ", stored normals" : ", computed normals";
        if (const auto b = partBounds(c, p)) o += ", " + text(b->min) + " to " + text(b->max);
        o += "\n";
    }
    if (look) o += gameLookText(*look);
    return o;
}

std::string colJson(const std::vector<ColRecord>& records, const std::string& error) {
    JsonWriter w;
    w.beginObject().key("type").value("col").key("records").beginArray();
    for (const ColRecord& r : records) {
        w.newline().beginObject().key("magic").value(utf8(r.magic)).key("name").value(utf8(r.name));
        w.key("offset").value(r.offset).key("sphere");
        sphere(w, r.bound.centre, r.bound.radius);
        w.key("box");
        box(w, r.box.min, r.box.max);
        w.key("spheres").beginArray();
        for (const ColSphere& s : r.spheres) sphere(w, s.centre, s.radius);
        w.endArray().key("boxes").beginArray();
        for (const ColBox& b : r.boxes) box(w, b.min, b.max);
        w.endArray().key("faces").value(uint64_t(r.faces.size())).key("vertices").value(colVertexCount(r));
        if (!r.error.empty()) w.key("error").value(r.error);
        w.endObject();
    }
    w.endArray();
    if (!error.empty()) w.key("error").value(error);
    w.endObject().newline();
    return w.text();
}

std::string colText(const std::vector<ColRecord>& records) {
    std::string o = "collision file, " + std::to_string(records.size()) + " records\n";
    for (const ColRecord& r : records) {
        o += '@';
        o += std::to_string(r.offset) + "\t" + r.magic + "\t" + (r.name.empty() ? "-" : utf8(r.name)) + "\t";
        if (!r.error.empty()) {
            o += r.error + "\n";
            continue;
        }
        o += "sphere " + text(r.bound.centre) + " r " + text(r.bound.radius) + ", box " + text(r.box.min) + " to " +
             text(r.box.max) + ", " + std::to_string(r.spheres.size()) + " spheres, " + std::to_string(r.boxes.size()) +
             " boxes, " + std::to_string(r.faces.size()) + " faces, " + std::to_string(colVertexCount(r)) + " vertices";
        if (r.cut) o += " (cut at the record's end)";
        o += "\n";
    }
    return o;
}

}  // namespace

std::string inspectModel(EntryReader& entry, bool json, std::string& error, const ModelInGame* inGame) {
    const DffClump c = ReadDffClump(entry);
    error = c.error;
    std::optional<GameLook> look;
    if (inGame) look = gameLookOf(inGame->game, c, inGame->modelName, inGame->archive);
    const GameLook* shown = look ? &*look : nullptr;
    return json ? dffJson(c, shown) : dffText(c, shown);
}

std::string inspectCollision(EntryReader& entry, bool json, std::string& error) {
    const ColScan scan = ScanColRecords(entry);
    std::vector<ColRecord> records;
    for (const ColListing& l : scan.records) {
        records.push_back(ReadColRecord(entry, l.offset));
        if (error.empty()) error = records.back().error;
    }
    if (!scan.error.empty()) error = scan.error;
    return json ? colJson(records, scan.error) : colText(records);
}

void exportModelObj(EntryReader& entry, const std::string& output) {
    const DffClump c = ReadDffClump(entry);
    if (!c.error.empty()) throw FileError(c.error);
    const std::string obj = dffToObj(c);
    BinaryFile f = BinaryFile::create(output);
    f.write(obj.data(), obj.size());
}

std::vector<std::string> exportModelGltf(EntryReader& entry, std::optional<EntryReader> dictionary,
                                         const std::string& output) {
    const DffClump c = ReadDffClump(entry);
    if (!c.error.empty()) throw FileError(c.error);
    const ModelTextures textures = dictionary ? LoadModelTextures(c, *dictionary) : NoModelTextures(c);
    WriteGltf(output, c, textures);
    return textures.missing;
}

std::vector<std::string> exportModelGltfInGame(EntryReader& entry, const ModelInGame& inGame,
                                               std::optional<ChosenDictionary> chosen, const std::string& output,
                                               bool allParts) {
    const DffClump c = ReadDffClump(entry);
    if (!c.error.empty()) throw FileError(c.error);
    const GameLook look = gameLookOf(inGame.game, c, inGame.modelName, inGame.archive, std::move(chosen));
    const DffClump painted = paintedClump(look.wheeled ? *look.wheeled : c, look.kind, look.colours);
    if (allParts) WriteGltf(output, painted, look.textures.textures);
    else WriteGltf(output, clumpAsShown(painted, gameViewRowsShown(dffParts(painted), std::nullopt), look.wheels),
                   look.textures.textures);
    return look.textures.textures.missing;
}

}  // namespace varmelo::cli
