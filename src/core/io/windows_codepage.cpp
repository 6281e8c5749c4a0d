#include "core/io/windows_codepage.h"

#include <cerrno>
#include <iconv.h>

#include <memory>

#include "core/io/codepage.h"

namespace varmelo {

namespace {

struct CharSetPage {
    int charSet;
    int codePage;
};

constexpr CharSetPage kPages[] = {
    {0, 1252},   {1, 1252},   {204, 1251}, {238, 1250}, {161, 1253}, {162, 1254}, {177, 1255},
    {178, 1256}, {186, 1257}, {163, 1258}, {128, 932},  {129, 949},  {134, 936},  {136, 950},
    {222, 874},
};

bool isAscii(const std::string& bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

int codePageOfCharSet(int charSet) {
    for (const CharSetPage& p : kPages)
        if (p.charSet == charSet) return p.codePage;
    return 1252;
}

std::string windowsCodePageToUtf8(const std::string& bytes, int codePage) {
    if (isAscii(bytes)) return bytes;
    // Our own table: exact for every byte, 0x98 included.
    if (codePage == 1251) return cp1251ToUtf8(bytes);

    const std::string from = "CP" + std::to_string(codePage);
    iconv_t cd = ::iconv_open("UTF-8", from.c_str());
    if (cd == iconv_t(-1)) cd = ::iconv_open("UTF-8", "CP1252");
    if (cd == iconv_t(-1)) return cp1251ToUtf8(bytes);  // no converters installed at all
    std::unique_ptr<void, int (*)(iconv_t)> guard(cd, ::iconv_close);

    std::string out;
    char buffer[256];
    // Some converters (1255, 1258) hold a letter back until they know no accent follows;
    // a flush writes it out.
    auto flush = [&] {
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        ::iconv(cd, nullptr, nullptr, &o, &oLeft);
        out.append(buffer, size_t(o - buffer));
    };
    auto* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        const size_t r = ::iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buffer, size_t(o - buffer));
        if (r != size_t(-1)) break;
        if (errno == E2BIG) continue;
        // A byte with no character (EILSEQ) or a lead byte cut off at the end (EINVAL).
        flush();
        out += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
    }
    flush();
    return out;
}

}  // namespace varmelo
