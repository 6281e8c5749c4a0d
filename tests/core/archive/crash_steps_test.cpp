// Every editing operation and the rebuild, made to fail at each of their write steps in turn
// (the io layer's fault hook: step n and all later ones fail, as if the process died there).
// After each failure the archive is loaded from disk with the real readers and every entry
// that was not being removed must be there with its data intact.
#include <gtest/gtest.h>

#include <functional>

#include "core/archive/img_editor.h"
#include "core/archive/open_archive.h"
#include "core/archive/rebuild.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/io/write_faults.h"
#include "support/archive_checks.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/numbered_name.h"

using namespace varmelo;
using namespace testing_support;

namespace {

enum class Form { V1, V2 };
using Named = std::pair<std::string, Bytes>;

struct CrashCase {
    std::string label;
    Form form;
    std::function<ImgBuilder()> build;
    std::function<void(Archive&, const TempDir&)> op;
    std::vector<Named> survivors;  // must always be present, data intact
    // The entry the operation is changing: after a failure one of these is present (or none
    // when mayBeAbsent); after success the last one is.
    std::vector<Named> transition;
    bool mayBeAbsent = false;
    bool dataMayMix = false;  // an in-place replacement: only the name and place are checked
};

void PrintTo(const CrashCase& c, std::ostream* os) { *os << c.label; }

std::string caseName(const ::testing::TestParamInfo<CrashCase>& info) {
    return info.param.label + (info.param.form == Form::V1 ? "_V1" : "_V2");
}

const TEntryRec* findByName(const Archive& a, const std::string& name) {
    for (const auto& e : a.Entries)
        if (e.Name == name) return &e;
    return nullptr;
}

ImgBuilder fiveEntries() {
    ImgBuilder b;
    for (int i = 0; i < 5; ++i) b.add(numbered("e", size_t(i)), pattern(1000 + 2048 * size_t(i), uint32_t(i)));
    return b;
}

std::vector<Named> fiveData(int except = -1) {
    std::vector<Named> out;
    for (int i = 0; i < 5; ++i)
        if (i != except) out.emplace_back(numbered("e", size_t(i)), pattern(1000 + 2048 * size_t(i), uint32_t(i)));
    return out;
}

std::string source(const TempDir& d, const std::string& name, const Bytes& data) {
    writeFile(d.file(name), data);
    return d.file(name);
}

class CrashStepsTest : public ::testing::TestWithParam<CrashCase> {};

TEST_P(CrashStepsTest, EveryWriteStepLeavesALoadableArchiveWithNoLostData) {
    const CrashCase& c = GetParam();
    int failures = 0;
    bool completed = false;
    for (int step = 1; step < 500 && !completed; ++step) {
        SCOPED_TRACE("failing from write step " + std::to_string(step));
        TempDir d;
        const std::string img = d.file("a.img");
        if (c.form == Form::V1) c.build().writeV1(img);
        else c.build().writeV2(img);
        Archive a = openArchive(img);

        write_faults::failAt(step);
        try {
            c.op(a, d);
            completed = true;
        } catch (const FileError& e) {
            EXPECT_STREQ(e.what(), "I/O error 5");
            ++failures;
        }
        write_faults::disarm();

        Archive back;
        ASSERT_NO_THROW(back = openArchive(img));
        for (const auto& [name, data] : c.survivors) {
            const TEntryRec* e = findByName(back, name);
            ASSERT_NE(e, nullptr) << name;
            EXPECT_TRUE(holdsData(img, *e, data)) << name;
        }
        int present = 0;
        for (size_t k = 0; k < c.transition.size(); ++k) {
            const auto& [name, data] = c.transition[k];
            const TEntryRec* e = findByName(back, name);
            if (!e) continue;
            ++present;
            if (!c.dataMayMix) {
                EXPECT_TRUE(holdsData(img, *e, data)) << name;
            }
            if (completed) {
                EXPECT_EQ(k, c.transition.size() - 1) << "the old version is still there";
            }
        }
        if (!c.transition.empty() && !(c.mayBeAbsent && !completed)) {
            EXPECT_GE(present, 1);
        }
        if (completed && !c.transition.empty()) {
            EXPECT_EQ(present, 1);
        }
        if (c.label.rfind("Rebuild", 0) == 0) {
            EXPECT_FALSE(fileExists(d.file("a.~new")));
            EXPECT_EQ(a.Entries, back.Entries);  // reloaded after a failure as well
        }
    }
    EXPECT_TRUE(completed);
    // The operation really went through its write steps (a rename has just one).
    EXPECT_GE(failures, c.label == "Rename" ? 1 : 3);
}

std::vector<CrashCase> cases() {
    std::vector<CrashCase> out;
    for (Form f : {Form::V1, Form::V2}) {
        out.push_back({"Add", f, fiveEntries,
                       [](Archive& a, const TempDir& d) { AddFileToArchive(a, source(d, "new", pattern(5000, 9))); },
                       fiveData(), {{"new", pattern(5000, 9)}}, true});
        out.push_back({"Remove", f, fiveEntries, [](Archive& a, const TempDir&) { RemoveEntryAt(a, 1); }, fiveData(1), {}});
        out.push_back({"RemoveFirst", f, fiveEntries, [](Archive& a, const TempDir&) { RemoveEntryAt(a, 0); },
                       fiveData(0), {}});
        out.push_back({"Rename", f, fiveEntries, [](Archive& a, const TempDir&) { RenameEntry(a, 2, "renamed"); },
                       fiveData(2), {{"e2", pattern(1000 + 4096, 2)}, {"renamed", pattern(1000 + 4096, 2)}}});
        out.push_back({"ReplaceInPlace", f, fiveEntries,
                       [](Archive& a, const TempDir& d) { ReplaceEntry(a, 3, source(d, "r", pattern(3000, 8))); },
                       fiveData(3), {{"e3", {}}, {"r", {}}}, false, true});
        out.push_back({"ReplaceAtEnd", f, fiveEntries,
                       [](Archive& a, const TempDir& d) { ReplaceEntry(a, 1, source(d, "r", pattern(9000, 8))); },
                       fiveData(1), {{"e1", pattern(1000 + 2048, 1)}, {"r", pattern(9000, 8)}}});
        out.push_back({"AddReplacingAnExistingName", f, fiveEntries,
                       [](Archive& a, const TempDir& d) {
                           AddFiles(a, {source(d, "E2", pattern(7000, 6))},
                                    [](uint32_t) { return ExistingDecision::Replace; });
                       },
                       fiveData(2), {{"e2", pattern(1000 + 4096, 2)}, {"E2", pattern(7000, 6)}}});
        out.push_back({"Rebuild", f,
                       [] {
                           ImgBuilder b;
                           b.add("e0", pattern(1000, 0)).at(30).add("e1", pattern(3048, 1)).at(3);
                           b.add("e2", pattern(5096, 2)).at(12).add("e3", pattern(7144, 3)).at(20);
                           b.add("e4", pattern(9192, 4)).at(40);
                           return b;
                       },
                       [](Archive& a, const TempDir&) { RebuildArchive(a); }, fiveData(), {}});
    }
    out.push_back({"RebuildWithEntriesInPlace", Form::V1,
                   [] {
                       ImgBuilder b;  // e0, e1 where they belong; a gap; e2 in place of nothing
                       b.add("e0", pattern(1000, 0)).at(0).add("e1", pattern(3048, 1)).at(1);
                       b.add("e2", pattern(5096, 2)).at(9).add("e3", pattern(7144, 3)).at(3);
                       b.add("e4", pattern(9192, 4)).at(20);
                       return b;
                   },
                   [](Archive& a, const TempDir&) { RebuildArchive(a); }, fiveData(), {}});
    out.push_back({"AddGrowingTheDirectory", Form::V2,
                   [] {
                       ImgBuilder b;
                       for (int i = 0; i < 63; ++i) b.add(numbered("g", size_t(i)), pattern(3000, uint32_t(i)));
                       return b;
                   },
                   [](Archive& a, const TempDir& d) { AddFileToArchive(a, source(d, "new", pattern(10, 9))); },
                   [] {
                       std::vector<Named> v;
                       for (int i = 0; i < 63; ++i) v.emplace_back(numbered("g", size_t(i)), pattern(3000, uint32_t(i)));
                       return v;
                   }(),
                   {{"new", pattern(10, 9)}}, true});
    return out;
}

// New data for an entry under its own name (a dictionary saved into the archive): while both
// versions may be listed under the one name, each holds one version whole.
TEST(CrashSteps, NewDataKeepingTheNameLeavesTheOldOrTheNewVersionWhole) {
    const Bytes old = pattern(1000 + 2048, 1);
    for (const Bytes& now : {pattern(9000, 8), pattern(500, 7)}) {  // appended, then in place
        bool completed = false;
        for (int step = 1; step < 100 && !completed; ++step) {
            SCOPED_TRACE("size " + std::to_string(now.size()) + ", failing from step " + std::to_string(step));
            TempDir d;
            const std::string img = d.file("a.img");
            fiveEntries().writeV2(img);
            Archive a = openArchive(img);
            write_faults::failAt(step);
            try {
                ReplaceEntryData(a, 1, source(d, "tmp", now));
                completed = true;
            } catch (const FileError&) {
            }
            write_faults::disarm();
            const Archive back = openArchive(img);
            int versions = 0, fresh = 0;
            for (const TEntryRec& e : back.Entries) {
                if (e.Name != "e1") continue;
                ++versions;
                if (holdsData(img, e, now)) {
                    ++fresh;
                } else if (now.size() > old.size()) {
                    EXPECT_TRUE(holdsData(img, e, old));
                }
            }
            EXPECT_GE(versions, 1);
            if (completed) {
                EXPECT_EQ(std::make_pair(versions, fresh), std::make_pair(1, 1));
            }
            for (const auto& [name, data] : fiveData(1)) EXPECT_TRUE(holdsData(img, *findByName(back, name), data)) << name;
        }
        EXPECT_TRUE(completed);
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, CrashStepsTest, ::testing::ValuesIn(cases()), caseName);

}  // namespace
