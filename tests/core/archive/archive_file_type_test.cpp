// The archive file types: what the kinds' rows give the desktop and the open dialog, and the
// shipped language files' open filters kept in step with them.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/archive/archive_file_type.h"
#include "core/archive/archive_kinds.h"
#include "core/settings/language_files.h"

using namespace varmelo;

namespace {

// "A|*.a;*.b|B|*.b" -> {"*.a;*.b", "*.b"}: what a filter lets the user pick, whatever its words.
std::vector<std::string> patterns(const std::string& filter) {
    std::vector<std::string> parts{""};
    for (char c : filter) {
        if (c == '|') parts.emplace_back();
        else parts.back().push_back(c);
    }
    std::vector<std::string> out;
    for (size_t i = 1; i < parts.size(); i += 2) out.push_back(parts[i]);
    return out;
}

TEST(ArchiveFileTypes, KindsOfOneExtensionAreOneType) {
    std::set<std::string_view> extensions, commands;
    for (const ArchiveFileType* t : archiveFileTypes()) {
        EXPECT_TRUE(extensions.insert(t->extension).second) << t->extension;
        EXPECT_TRUE(commands.insert(t->command).second) << t->command;
    }
    for (const ArchiveKindInfo& k : archiveKinds()) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(extensions.count(k.files.extension));
        for (const ArchiveFileType* t : archiveFileTypes()) {
            if (t->extension == k.files.extension) {
                EXPECT_EQ(*t, k.files);
            }
        }
    }
    EXPECT_EQ(mimeTypeOf(*archiveFileTypes()[0]), "application/x-varmelo-img");
}

TEST(ArchiveFileTypes, OpenFilterOffersAllTypesEachTypeAndAllFiles) {
    std::vector<std::string> want{""};
    for (const ArchiveFileType* t : archiveFileTypes()) {
        want[0] += (want[0].empty() ? "*." : ";*.") + std::string(t->extension);
        want.push_back("*." + std::string(t->extension));
    }
    want.push_back("*.*");
    const std::string filter = archiveOpenFilter();
    EXPECT_EQ(patterns(filter), want);
    EXPECT_NE(filter.find("|Архивы Syberia 2 (*.syb)|*.syb|"), std::string::npos) << filter;
}

// A language file replaces the whole filter: one that misses a type hides its archives.
TEST(ArchiveFileTypes, ShippedLanguagesFilterEveryType) {
    int files = 0;
    for (const auto& f : std::filesystem::directory_iterator(VARMELO_LANG_DIR)) {
        if (f.path().extension() != ".lng") continue;
        SCOPED_TRACE(f.path().filename().string());
        const LanguageFile lang(f.path().string());
        ASSERT_TRUE(lang.loaded());
        EXPECT_EQ(patterns(lang.text("frm1", "OpenDialog1", "")), patterns(archiveOpenFilter()));
        ++files;
    }
    EXPECT_GE(files, 2);
}

}  // namespace
