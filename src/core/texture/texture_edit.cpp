#include "core/texture/texture_edit.h"

#include "core/io/errors.h"

namespace varmelo {

namespace {

size_t existing(const TextureDictionary& d, const std::string& name) {
    if (const auto i = d.find(name)) return *i;
    throw UsageError("there is no texture '" + name + "' in the dictionary");
}

std::string summary(const TextureDictionary& d, const std::string& name) {
    const auto i = d.find(name);
    if (!i) return "";
    const TTexRec& t = d.textures()[*i].info;
    return ": " + std::string(formatName(t.Format)) + (t.Format == TexFormat::Dxt1 && t.HasAlpha ? " with alpha" : "") +
           ", " + std::to_string(t.Width) + " x " + std::to_string(t.Height) + ", " + std::to_string(t.MipLevels) +
           (t.MipLevels == 1 ? " level" : " levels");
}

template <class... F>
struct Visitor : F... {
    using F::operator()...;
};
template <class... F>
Visitor(F...) -> Visitor<F...>;

}  // namespace

void applyEdit(TextureDictionary& d, const TextureEdit& edit) {
    std::visit(Visitor{
                   [&](const AddTexture& e) { d.add(e.name, *e.picture, e.options, e.kept); },
                   [&](const ReplaceTexture& e) { d.replace(existing(d, e.name), *e.picture, e.options); },
                   [&](const DeleteTexture& e) { d.remove(existing(d, e.name)); },
                   [&](const RenameTexture& e) { d.rename(existing(d, e.name), e.newName); },
                   [&](const SetTextureFormat& e) { d.setFormat(existing(d, e.name), e.format, e.mipmaps); },
               },
               edit);
}

std::string describeEdit(const TextureDictionary& d, const TextureEdit& edit) {
    return std::visit(Visitor{
                          [&](const AddTexture& e) { return "added " + e.name + summary(d, e.name); },
                          [&](const ReplaceTexture& e) { return "replaced " + e.name + summary(d, e.name); },
                          [&](const DeleteTexture& e) { return "deleted " + e.name; },
                          [&](const RenameTexture& e) { return "renamed " + e.name + " to " + e.newName; },
                          [&](const SetTextureFormat& e) { return "converted " + e.name + summary(d, e.name); },
                      },
                      edit);
}

}  // namespace varmelo
