#include "core/export/obj_export.h"

#include <charconv>

#include "core/model/dff_parts.h"
#include "core/view/mesh_vertices.h"

namespace varmelo {

namespace {

void addNumber(std::string& out, float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void addLine(std::string& out, const char* tag, std::initializer_list<float> values) {
    out += tag;
    for (float v : values) {
        out += ' ';
        addNumber(out, v);
    }
    out += '\n';
}

// Group names are one line of text; a line break would start a new statement.
std::string groupName(const std::string& caption, size_t row) {
    std::string s;
    for (char c : caption) s += (c == '\n' || c == '\r') ? '_' : c;
    return s.empty() ? "part" + std::to_string(row) : s;
}

}  // namespace

std::string dffToObj(const DffClump& clump) {
    std::string out = "# Exported by Varmelo\n";
    // Every drawn corner gets its own position, coordinate and normal, exactly as the view
    // draws it: flat-shaded parts keep their hard edges.
    size_t next = 1;
    const auto parts = dffParts(clump);
    for (size_t row = 0; row < parts.size(); ++row) {
        out += "o " + groupName(parts[row].caption, row) + "\n";
        const auto vertices = partVertices(clump, parts[row], false);
        for (const ModelVertex& v : vertices) {
            addLine(out, "v", {v.position.x, v.position.y, v.position.z});
            // RenderWare counts v downwards from the top of the texture, OBJ upwards.
            addLine(out, "vt", {v.texCoord.x, 1.0f - v.texCoord.y});
            addLine(out, "vn", {v.normal.x, v.normal.y, v.normal.z});
        }
        for (size_t t = 0; t + 2 < vertices.size(); t += 3, next += 3) {
            out += "f";
            for (size_t k = 0; k < 3; ++k) {
                const std::string i = std::to_string(next + k);
                out += " " + i + "/" + i + "/" + i;
            }
            out += '\n';
        }
    }
    return out;
}

}  // namespace varmelo
