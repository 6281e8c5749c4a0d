#include "core/archive/cstring_reader.h"

#include <algorithm>

#include "core/archive/entry.h"

namespace varmelo {

std::string ReadCString(BufferedReader& in) {
    std::string name;
    for (;;) {
        auto c = char(in.readU8());
        if (c == '\0') return name;
        if (name.size() < kMaxNameLength) name += c;
    }
}

void appendNameBytes(std::string& name, const char* bytes, size_t n) {
    size_t room = name.size() < kMaxNameLength ? kMaxNameLength - name.size() : 0;
    name.append(bytes, std::min(n, room));
}

}  // namespace varmelo
