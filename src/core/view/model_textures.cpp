#include "core/view/model_textures.h"

#include <algorithm>

#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"

namespace varmelo {

namespace {

std::string stem(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string extension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

bool sameAsciiName(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

const Image* ModelTextures::find(const std::string& name) const {
    for (const ModelTexture& t : found)
        if (sameAsciiName(t.name, name)) return &t.image;
    return nullptr;
}

std::vector<std::string> materialTextureNames(const DffClump& clump) {
    std::vector<std::string> names;
    for (const DffGeometry& g : clump.geometries)
        for (const DffMaterial& m : g.materials)
            for (const std::string* name : {&m.texture, &m.envTexture}) {
                if (name->empty()) continue;
                bool known = false;
                for (const std::string& n : names) known = known || sameAsciiName(n, *name);
                if (!known) names.push_back(*name);
            }
    return names;
}

ModelTextures NoModelTextures(const DffClump& clump) {
    ModelTextures out;
    out.missing = materialTextureNames(clump);
    return out;
}

ModelTextures LoadModelTextures(const DffClump& clump, EntryReader& dictionary) {
    ModelTextures out;
    dictionary.seek(0);
    const TxdTable table = ReadTextureTable(dictionary);
    for (const std::string& name : materialTextureNames(clump)) {
        const TTexRec* record = nullptr;
        for (const TTexRec& t : table.textures)
            if (!record && sameAsciiName(t.Name, name)) record = &t;
        TexelImage texels;
        if (record && DecodeTexels(dictionary, *record, texels) == DecodeStatus::Ok)
            out.found.push_back({name, std::move(texels.image)});
        else
            out.missing.push_back(name);
    }
    return out;
}

std::optional<size_t> sameNamedDictionary(const std::vector<std::string>& entryNames, const std::string& modelName) {
    const std::string wanted = stem(modelName);
    for (size_t i = 0; i < entryNames.size(); ++i)
        if (sameAsciiName(extension(entryNames[i]), ".txd") && sameAsciiName(stem(entryNames[i]), wanted)) return i;
    return std::nullopt;
}

std::vector<size_t> dictionaryEntries(const std::vector<std::string>& entryNames) {
    std::vector<size_t> out;
    for (size_t i = 0; i < entryNames.size(); ++i)
        if (sameAsciiName(extension(entryNames[i]), ".txd")) out.push_back(i);
    return out;
}

}  // namespace varmelo
