// Writes the previewable files of the sample archive, made by the project's own builders,
// and a manifest listing them:
//   make_preview_content OUTDIR
// vehicle.txd holds DXT1, DXT3, DXT5, 8888 and PAL8 textures (some with alpha); sky.dds is a
// DXT5 picture with soft alpha, logo.tga a run-length encoded 32-bit picture, props.ipl a
// binary placement file with instances and parked cars; infernus.dff a small car laid out as
// the game stores one (body, bonnet, damaged bonnet, far-away body, one wheel under its dummy),
// infernus.txd its textures and infernus.col its collision in all three versions.
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/col_builder.h"
#include "support/dds_builder.h"
#include "support/demo_vehicle.h"
#include "support/ipl_builder.h"
#include "support/tga_builder.h"
#include "support/txd_builder.h"

using namespace testing_support;

namespace {

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error(path + ": cannot be written");
}

std::vector<uint8_t> placements() {
    IplBuilder b;
    for (int i = 0; i < 24; ++i) {
        IplInstance in;
        in.x = 2400.5f + float(i) * 12.25f;
        in.y = -1650.75f - float(i % 6) * 8.5f;
        in.z = 13.0f + float(i % 3);
        in.rz = (i % 2) ? 0.7071f : 0.0f;
        in.rw = (i % 2) ? 0.7071f : 1.0f;
        in.model = 1200 + i * 7;
        in.interior = i % 4 == 3 ? 1 : 0;
        in.lod = i % 5 == 0 ? -1 : i / 2;
        b.add(in);
    }
    for (int i = 0; i < 4; ++i) {
        IplCar c;
        c.x = 2450.0f + float(i) * 6.0f;
        c.y = -1660.0f;
        c.z = 13.5f;
        c.angle = 90.0f * float(i);
        c.values[0] = 400 + i * 11;
        c.values[1] = c.values[2] = -1;
        b.add(c);
    }
    return b.build();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_preview_content OUTDIR\n", stderr);
        return 2;
    }
    try {
        const std::string dir = argv[1];
        writeFile(dir + "/vehicle.txd", demoDictionary());
        writeFile(dir + "/sky.dds",
                  buildDds(DdsFile::dxt("DXT5", 128, 64, encodeDxt(varmelo::DxtKind::Dxt5, demoPicture(128, 64, 2), 128, 64))));
        TgaFile tga;
        tga.imageType = 10;
        tga.bits = 32;
        tga.width = 96;
        tga.height = 96;
        tga.bgra = demoPicture(96, 96, 3);
        writeFile(dir + "/logo.tga", buildTga(tga));
        writeFile(dir + "/props.ipl", placements());
        writeFile(dir + "/infernus.dff", demoVehicle());
        writeFile(dir + "/infernus.txd", demoVehicleTextures());
        writeFile(dir + "/infernus.col", demoCollision());
        std::ofstream m(dir + "/manifest.txt", std::ios::trunc);
        m << "# Made by make_preview_content.\n"
             "vehicle.txd\tvehicle.txd\nsky.dds\tsky.dds\nlogo.tga\tlogo.tga\nprops.ipl\tprops.ipl\n"
             "infernus.dff\tinfernus.dff\ninfernus.txd\tinfernus.txd\ninfernus.col\tinfernus.col\n";
        if (!m) throw std::runtime_error(dir + "/manifest.txt: cannot be written");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_preview_content: %s\n", e.what());
        return 1;
    }
    return 0;
}
