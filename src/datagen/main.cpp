// varmelo-datagen TEMPLATE_DIR OUT_DIR: writes the installed data files that name the archive
// file types into OUT_DIR - varmelo.xml whole, and varmelo.desktop, varmelo.metainfo.xml and
// varmelo-cli.1 from their ".in" templates in TEMPLATE_DIR.
#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

#include "core/archive/desktop_data.h"

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot be read");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) throw std::runtime_error(path + ": cannot be written");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: varmelo-datagen TEMPLATE_DIR OUT_DIR\n");
        return 2;
    }
    const std::string from = argv[1], to = argv[2];
    try {
        writeText(to + "/varmelo.xml", varmelo::mimePackageXml());
        const auto fields = varmelo::desktopDataFields();
        for (const char* name : {"varmelo.desktop", "varmelo.metainfo.xml", "varmelo-cli.1"})
            writeText(to + "/" + name, varmelo::fillFields(readText(from + "/" + name + ".in"), fields));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "varmelo-datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
