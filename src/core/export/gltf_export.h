#pragma once
// A clump as a glTF 2.0 file, for Blender, three.js and game engines.
//
// - One node per frame, named by the frame, under its parent's node (roots in the scene); a
//   parent index that is not lower than the frame's own, or out of range, makes a root, as
//   the view places it.
// - One mesh per geometry an atomic draws, on the node of the atomic's frame; a geometry
//   drawn by two atomics is one mesh used twice. A second atomic on the same frame gets a
//   child node of the frame's name.
// - One primitive per material the triangles name (positions, stored normals, the first
//   texture coordinates, prelit colours); triangles naming no listed material form one last
//   primitive with the default material.
// - Materials: base colour = material colour, not metallic; a texture the dictionary gave is
//   embedded as PNG. Alpha below 255 in the colour, or texels between clear and solid, make
//   the material blended; texels only clear or solid make it a cut-out (mask). Materials that
//   show through are two-sided, as the game draws glass and cut-outs; the rest one-sided.
// - The game is z-up, glTF y-up: every position, direction and frame matrix is turned by
//   -90 degrees about x. A glTF importer that turns y-up back to z-up (Blender's does) gets
//   the game's own numbers in every node and vertex, without an extra node.
// - .glb holds its buffer in the file's binary chunk; .gltf is one self-contained text file
//   with the buffer as a data: URI (pictures included).
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/dff_reader.h"
#include "core/view/model_textures.h"

namespace varmelo {

enum class GltfForm { Binary, Text };

// True for names ending in ".glb" or ".gltf" (any case).
bool isGltfName(const std::string& path);
// Text for ".gltf", binary for anything else.
GltfForm gltfFormFor(const std::string& path);

// The file's bytes. Throws FormatError when the model is too large for a glTF buffer.
std::vector<uint8_t> dffToGltf(const DffClump& clump, const ModelTextures& textures, GltfForm form);

// Writes dffToGltf into `path` (created or overwritten) in the form its name asks for.
void WriteGltf(const std::string& path, const DffClump& clump, const ModelTextures& textures);

}  // namespace varmelo
