#include <gtest/gtest.h>

#include "core/archive/detect.h"
#include "core/io/errors.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

struct DetectCase {
    const char* fileName;
    Bytes head;
    TArchiveKind expected;
};

class DetectKindTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectKindTest, ChoosesKindFromMagicWordAndExtension) {
    TempDir dir;
    const auto& c = GetParam();
    writeFile(dir.file(c.fileName), c.head);
    EXPECT_EQ(DetectKind(dir.file(c.fileName)), c.expected);
}

Bytes b(std::initializer_list<int> v) {
    Bytes out;
    for (int x : v) out.push_back(uint8_t(x));
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Magic, DetectKindTest,
    ::testing::Values(
        DetectCase{"a.img", b({'V', 'X', 'B', 'G', 0, 0, 0, 0}), TArchiveKind::akSyb},
        DetectCase{"a.pak", b({'V', 'X', 'B', 'G', 0, 0, 0, 0}), TArchiveKind::akSyb},
        DetectCase{"a.dat", b({'V', 'E', 'R', '2', 0, 0, 0, 0}), TArchiveKind::akImgV2},
        DetectCase{"a.img", b({'B', 'I', 'G', 'F', 1, 0, 0, 0}), TArchiveKind::akBig},
        DetectCase{"a.img", b({0x50, 0x4B, 3, 4, 0, 0, 0, 0}), TArchiveKind::akPk4},
        DetectCase{"a.img", b({'D', 'B', 'L', 'D', 0, 0, 0, 0}), TArchiveKind::akBin},
        DetectCase{"a.img", b({'v', 'e', 'r', '2', 0, 0, 0, 0}), TArchiveKind::akImgV1},  // case matters
        DetectCase{"a.pak", b({1, 2, 3, 4, 0, 0, 0, 0}), TArchiveKind::akPak},
        DetectCase{"a.Pak", b({1, 2, 3, 4, 0, 0, 0, 0}), TArchiveKind::akPak},
        DetectCase{"a.pak", b({1, 2, 3, 4, 0, 0, 1, 0}), TArchiveKind::akImgV1},
        DetectCase{"a.txt", b({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o'}), TArchiveKind::akImgV1},
        DetectCase{"a.pak", b({}), TArchiveKind::akPak},       // short files read as zeros
        DetectCase{"a.img", b({'V', 'E'}), TArchiveKind::akImgV1},
        DetectCase{"x.pak.img", b({1, 0, 0, 0, 0, 0, 0, 0}), TArchiveKind::akImgV1}));

TEST(DetectKind, MissingFileIsReportedAsNotFound) {
    TempDir dir;
    try {
        DetectKind(dir.file("nope.img"));
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
}

}  // namespace
