// Adding to and rebuilding an archive on a disk that fills up. On a real small file system
// (a tmpfs the test mounts, where this process may mount) the space runs out wherever it
// does; through the io layer's fault hook "Disk full" comes at each write step in turn. Either
// way the user reads "Disk full" and the archive keeps every entry with its data, its old
// length and no temporary file beside it.
#include <errno.h>
#include <sys/mount.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/archive/img_editor.h"
#include "core/archive/open_archive.h"
#include "core/archive/rebuild.h"
#include "core/archive/verify.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/io/write_faults.h"
#include "support/archive_checks.h"
#include "support/img_builder.h"
#include "support/numbered_name.h"
#include "support/temp_dir.h"
#include "support/error_of.h"

using namespace varmelo;
using namespace testing_support;

namespace {

enum class Form { V1, V2 };

std::string formName(const ::testing::TestParamInfo<Form>& info) { return info.param == Form::V1 ? "V1" : "V2"; }

// A tmpfs of `bytes` mounted on a fresh folder, unmounted again at the end.
class SmallFileSystem {
public:
    explicit SmallFileSystem(uint64_t bytes) {
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
            mounted_ = true;
        else
            error_ = errno;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    int error() const { return error_; }
    std::string file(const std::string& name) const { return folder_.file(name); }

private:
    TempDir folder_;
    bool mounted_ = false;
    int error_ = 0;
};

constexpr int kEntries = 8;
Bytes entryData(int i) { return pattern(200'000 + size_t(i) * 3'000, uint32_t(i + 10)); }

// About 1.6 MiB of entries lying in the reverse of their table order, so a rebuild moves all.
void writeScattered(Form form, const std::string& img) {
    ImgBuilder b;
    uint32_t sector = 4;
    std::vector<uint32_t> places(kEntries);
    for (int i = kEntries - 1; i >= 0; --i) {
        places[size_t(i)] = sector;
        sector += uint32_t((entryData(i).size() + 2047) / 2048) + 1;
    }
    for (int i = 0; i < kEntries; ++i) b.add(numbered("e", size_t(i)), entryData(i)).at(places[size_t(i)]);
    if (form == Form::V1) b.writeV1(img);
    else b.writeV2(img);
}

// The archive as it was before the failed operation: same files, same entries, same data.
void expectUnchanged(const std::string& img, const std::string& dirFile, const Bytes& imgBefore, const Bytes& dirBefore) {
    EXPECT_EQ(readFile(img), imgBefore);
    if (!dirBefore.empty()) {
        EXPECT_EQ(readFile(dirFile), dirBefore);
    }
    Archive back;
    ASSERT_NO_THROW(back = openArchive(img));
    ASSERT_EQ(back.Entries.size(), size_t(kEntries));
    for (int i = 0; i < kEntries; ++i) EXPECT_TRUE(holdsData(img, back.Entries[size_t(i)], entryData(i))) << i;
    EXPECT_TRUE(verifyArchive(back).empty());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(img).replace_extension(".~new")));
}

class FullDiskTest : public ::testing::TestWithParam<Form> {};

TEST_P(FullDiskTest, AddAndRebuildOnASmallFileSystemSayDiskFullAndKeepTheArchive) {
    // 2.5 MiB: the archive fits, a second copy of its data does not.
    SmallFileSystem fs(5u << 19);
    if (!fs.mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here (errno " << fs.error() << ")";
    const std::string img = fs.file("a.img");
    const std::string dirFile = fs.file("a.dir");
    writeScattered(GetParam(), img);
    const Bytes imgBefore = readFile(img);
    const Bytes dirBefore = GetParam() == Form::V1 ? readFile(dirFile) : Bytes{};
    TempDir elsewhere;
    const std::string big = elsewhere.file("big.bin");
    writeFile(big, pattern(1500'000, 77));

    {
        SCOPED_TRACE("add");
        Archive a = openArchive(img);
        EXPECT_EQ(errorOf([&] { AddFileToArchive(a, big); }), "Disk full");
        EXPECT_EQ(a.Entries.size(), size_t(kEntries));
        expectUnchanged(img, dirFile, imgBefore, dirBefore);
    }
    {
        SCOPED_TRACE("rebuild");
        Archive a = openArchive(img);
        EXPECT_EQ(errorOf([&] { RebuildArchive(a); }), "Disk full");
        EXPECT_EQ(a.Entries.size(), size_t(kEntries));
        expectUnchanged(img, dirFile, imgBefore, dirBefore);
    }
}

// Where this process may not mount, the same failures come from the io layer: "Disk full" at
// one write step of the rebuild after another (the space the clean-up frees is there again).
TEST_P(FullDiskTest, ARebuildThatRunsOutOfSpaceAtAnyStepKeepsTheArchive) {
    bool completed = false;
    int failures = 0;
    for (int step = 1; step < 100 && !completed; ++step) {
        SCOPED_TRACE("disk full at write step " + std::to_string(step));
        TempDir d;
        const std::string img = d.file("a.img");
        writeScattered(GetParam(), img);
        const Bytes imgBefore = readFile(img);
        Archive a = openArchive(img);

        write_faults::failOnlyAt(step);
        const std::string error = errorOf([&] { RebuildArchive(a); });
        write_faults::disarm();
        if (error.empty()) {
            completed = true;
            break;
        }
        ++failures;
        EXPECT_EQ(error, "Disk full");
        Archive back = openArchive(img);
        EXPECT_EQ(a.Entries, back.Entries);
        ASSERT_EQ(back.Entries.size(), size_t(kEntries));
        for (int i = 0; i < kEntries; ++i) EXPECT_TRUE(holdsData(img, back.Entries[size_t(i)], entryData(i))) << i;
        EXPECT_TRUE(verifyArchive(back).empty());
        EXPECT_FALSE(fileExists(d.file("a.~new")));
        // A single file is replaced whole or not at all; a two-file rebuild that failed after
        // its directory switched keeps the entries where that directory says.
        if (GetParam() == Form::V2) {
            EXPECT_EQ(readFile(img), imgBefore);
        }
    }
    EXPECT_TRUE(completed);
    EXPECT_GE(failures, 3);
}

INSTANTIATE_TEST_SUITE_P(Forms, FullDiskTest, ::testing::Values(Form::V1, Form::V2), formName);

}  // namespace
