// Rebuild and add on an archive of some megabytes, run in a child process that is killed with
// SIGKILL at a random moment (seeded: the same moments on every run). The fault-injection
// tests prove that a failing write loses nothing; this proves it for a process that dies
// wherever it is, with no clean-up. After each kill the archive loads, every entry not being
// changed reads back byte for byte, and the next rebuild leaves a clean archive behind.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>

#include "core/archive/img_editor.h"
#include "core/archive/open_archive.h"
#include "core/archive/rebuild.h"
#include "core/archive/verify.h"
#include "support/archive_checks.h"
#include "support/img_builder.h"
#include "support/numbered_name.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

enum class Form { V1, V2 };
using Clock = std::chrono::steady_clock;

constexpr int kEntries = 24;
constexpr int kRounds = 6;
constexpr size_t kAddedBytes = 6u << 20;

Bytes entryData(int i) { return pattern(400'000 + size_t(i) * 17'000, uint32_t(i + 1)); }

// The entries lie in the file in the reverse of their table order with a gap before each,
// so a rebuild moves every one of them: about 12 MiB to copy.
ImgBuilder scattered() {
    ImgBuilder b;
    uint32_t sector = 4;
    std::vector<uint32_t> places(kEntries);
    for (int i = kEntries - 1; i >= 0; --i) {
        places[size_t(i)] = sector;
        sector += uint32_t((entryData(i).size() + 2047) / 2048) + 3;
    }
    for (int i = 0; i < kEntries; ++i) b.add(numbered("e", size_t(i), ".dat"), entryData(i)).at(places[size_t(i)]);
    return b;
}

const TEntryRec* findByName(const Archive& a, const std::string& name) {
    for (const auto& e : a.Entries)
        if (e.Name == name) return &e;
    return nullptr;
}

// Runs `op` in a child process and kills it `delay` after `started` turns true (never, when
// delay is negative). Waiting for the first change on disk keeps a loaded machine, where
// starting the child takes long, from putting every kill before the operation began.
// Returns true when the kill came before the child was done.
bool runAndKill(const std::function<void()>& op, Clock::duration delay, const std::function<bool()>& started,
                Clock::duration* ran = nullptr) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            op();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    EXPECT_GT(child, 0);
    int status = 0;
    while (started && !started()) {
        if (::waitpid(child, &status, WNOHANG) == child) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const auto begun = Clock::now();
    if (delay >= Clock::duration::zero()) {
        std::this_thread::sleep_for(delay);
        ::kill(child, SIGKILL);
    }
    ::waitpid(child, &status, 0);
    if (ran) *ran = Clock::now() - begun;
    if (WIFSIGNALED(status)) return true;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the operation failed by itself";
    return false;
}

// What a killed operation may have changed on disk, to tell a kill inside the operation from
// one before it started.
struct DiskState {
    off_t imgSize = 0, dirSize = 0;
    timespec imgTime{}, dirTime{};
    bool leftover = false;
    bool operator==(const DiskState& o) const {
        auto same = [](timespec x, timespec y) { return x.tv_sec == y.tv_sec && x.tv_nsec == y.tv_nsec; };
        return imgSize == o.imgSize && dirSize == o.dirSize && same(imgTime, o.imgTime) &&
               same(dirTime, o.dirTime) && leftover == o.leftover;
    }
};

DiskState diskState(const TempDir& d) {
    DiskState s;
    struct stat st {};
    if (::stat(d.file("a.img").c_str(), &st) == 0) s.imgSize = st.st_size, s.imgTime = st.st_mtim;
    if (::stat(d.file("a.dir").c_str(), &st) == 0) s.dirSize = st.st_size, s.dirTime = st.st_mtim;
    s.leftover = std::filesystem::exists(d.file("a.~new"));
    return s;
}

struct KillCase {
    const char* label;
    Form form;
    bool add;
};

void PrintTo(const KillCase& c, std::ostream* os) { *os << c.label; }

class KillTest : public ::testing::TestWithParam<KillCase> {
protected:
    // The archive as every round starts it, written once and copied.
    void SetUp() override {
        if (GetParam().form == Form::V1) scattered().writeV1(original.file("a.img"));
        else scattered().writeV2(original.file("a.img"));
        writeFile(original.file("added.bin"), pattern(kAddedBytes, 99));
    }

    void restore(const TempDir& d) const {
        for (const char* name : {"a.img", "a.dir"})
            if (std::filesystem::exists(original.file(name)))
                std::filesystem::copy_file(original.file(name), d.file(name));
    }

    std::function<void()> operation(const TempDir& d) const {
        const std::string img = d.file("a.img");
        const std::string source = original.file("added.bin");
        if (GetParam().add)
            return [img, source] {
                Archive a = openArchive(img);
                AddFileToArchive(a, source);
            };
        return [img] {
            Archive a = openArchive(img);
            RebuildArchive(a);
        };
    }

    // Every old entry whole; the added one either absent or whole.
    void expectIntact(const std::string& img) const {
        Archive back;
        ASSERT_NO_THROW(back = openArchive(img));
        for (int i = 0; i < kEntries; ++i) {
            const std::string name = numbered("e", size_t(i), ".dat");
            const TEntryRec* e = findByName(back, name);
            ASSERT_NE(e, nullptr) << name;
            EXPECT_TRUE(holdsData(img, *e, entryData(i))) << name;
        }
        if (const TEntryRec* added = findByName(back, "added.bin")) {
            EXPECT_TRUE(holdsData(img, *added, pattern(kAddedBytes, 99)));
        }
        EXPECT_EQ(back.Entries.size(), size_t(kEntries) + (findByName(back, "added.bin") ? 1 : 0));
        for (const VerifyFinding& f : verifyArchive(back))
            EXPECT_EQ(f.kind, VerifyFinding::Kind::LeftoverRebuild) << describeFinding(back, f);
    }

    TempDir original;
};

TEST_P(KillTest, AKilledOperationLosesNoDataAndTheNextRebuildCleansUp) {
    // How long the operation takes here from its first change of the files: the kills fall
    // within that time after the first change, so most land inside it whatever the load.
    Clock::duration whole;
    {
        TempDir d;
        restore(d);
        const DiskState before = diskState(d);
        ASSERT_FALSE(runAndKill(operation(d), Clock::duration(-1), [&] { return !(diskState(d) == before); }, &whole));
        expectIntact(d.file("a.img"));
    }
    std::mt19937 random(20260412u + unsigned(GetParam().form) * 7 + (GetParam().add ? 1 : 0));
    std::uniform_int_distribution<int64_t> moment(0, std::chrono::duration_cast<std::chrono::microseconds>(whole).count());
    int inside = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto delay = std::chrono::microseconds(moment(random));
        std::string trace = "round " + std::to_string(round);
        trace += ", killed after " + std::to_string(delay.count()) + " us";
        SCOPED_TRACE(trace);
        TempDir d;
        restore(d);
        const DiskState before = diskState(d);
        if (runAndKill(operation(d), delay, [&] { return !(diskState(d) == before); })) ++inside;
        expectIntact(d.file("a.img"));

        // The next rebuild, not killed: it takes any leftover temporary file with it.
        Archive a = openArchive(d.file("a.img"));
        ASSERT_NO_THROW(RebuildArchive(a));
        EXPECT_FALSE(std::filesystem::exists(d.file("a.~new")));
        expectIntact(d.file("a.img"));
        EXPECT_TRUE(verifyArchive(a).empty());
    }
    // At least one kill landed while the operation was changing the files (how many varies
    // with the machine's load; the checks above hold for every one).
    EXPECT_GE(inside, 1);
}

INSTANTIATE_TEST_SUITE_P(Archives, KillTest,
                         ::testing::Values(KillCase{"RebuildV1", Form::V1, false}, KillCase{"RebuildV2", Form::V2, false},
                                           KillCase{"AddV1", Form::V1, true}, KillCase{"AddV2", Form::V2, true}),
                         [](const auto& info) { return std::string(info.param.label); });

// A temporary file left by a rebuild that was killed is reported by verify and goes with the
// next rebuild, for either form and whatever it holds.
TEST(KilledRebuild, LeftoverTemporaryIsReportedAndRemovedByTheNextRebuild) {
    for (Form form : {Form::V1, Form::V2}) {
        SCOPED_TRACE(form == Form::V1 ? "V1" : "V2");
        TempDir d;
        const std::string img = d.file("a.img");
        ImgBuilder b;
        b.add("x.txd", pattern(3000, 1)).at(9).add("y.dff", pattern(10, 2)).at(4);
        if (form == Form::V1) b.writeV1(img);
        else b.writeV2(img);
        writeFile(d.file("a.~new"), pattern(5000, 3));
        Archive a = openArchive(img);

        const auto findings = verifyArchive(a);
        ASSERT_EQ(findings.size(), 1u);
        EXPECT_EQ(findings[0].kind, VerifyFinding::Kind::LeftoverRebuild);
        const std::string leftover = d.file("a.~new");
        EXPECT_EQ(describeFinding(a, findings[0]),
                  "'" + leftover + "' is left over from a rebuild that did not finish; the next rebuild removes it");

        RebuildArchive(a);
        EXPECT_FALSE(std::filesystem::exists(d.file("a.~new")));
        EXPECT_TRUE(verifyArchive(a).empty());
        EXPECT_TRUE(holdsData(img, *findByName(a, "x.txd"), pattern(3000, 1)));
        EXPECT_TRUE(holdsData(img, *findByName(a, "y.dff"), pattern(10, 2)));
    }
}

}  // namespace
