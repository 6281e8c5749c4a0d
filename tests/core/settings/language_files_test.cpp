#include "core/settings/language_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "core/io/windows_codepage.h"
#include "support/temp_dir.h"

using namespace varmelo;
using testing_support::TempDir;

namespace {

class LanguageFilesTest : public ::testing::Test {
protected:
    LanguageFilesTest() { ::mkdir(lang().c_str(), 0755); }
    std::string lang() const { return dir.file("lang"); }
    void write(const std::string& name, const std::string& text) {
        testing_support::writeFile(lang() + "/" + name, text);
    }
    static std::vector<std::string> names(const std::vector<LanguageRecord>& list) {
        std::vector<std::string> n;
        for (const auto& r : list) n.push_back(r.fileName);
        return n;
    }

    TempDir dir;
};

Environment env(std::map<std::string, std::string> vars) {
    return [vars](const std::string& name) {
        auto it = vars.find(name);
        return it == vars.end() ? std::string() : it->second;
    };
}

}  // namespace

TEST_F(LanguageFilesTest, ScanReadsRecordsSortedByNameAndSkipsUnusableFiles) {
    // "Русский" and "Перевод" in Windows-1251.
    write("russian.lng", "[main]\r\nLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\nLangID=1049\r\n"
                         "Flag=flags\\ru.bmp\r\nCharSet=204\r\nAuthor=\xCF\xE5\xF0\xE5\xE2\xEE\xE4\r\n");
    write("English.LNG", "[MAIN]\nlanguage=English\n");
    write("empty.lng", "[main]\nLanguage=\nLangID=9\n");
    write("nolang.lng", "[strings]\nSTR000=x\n");
    write("notes.txt", "[main]\nLanguage=Text\n");
    ::mkdir((lang() + "/folder.lng").c_str(), 0755);

    auto list = scanLanguages({lang()});
    ASSERT_EQ(names(list), (std::vector<std::string>{"English.LNG", "russian.lng"}));
    EXPECT_EQ(list[0].displayName, "English");
    EXPECT_EQ(list[0].langId, 0);
    EXPECT_EQ(list[0].charSet, 1);
    EXPECT_EQ(list[0].flagPath, "");
    EXPECT_EQ(list[0].author, "");
    EXPECT_EQ(list[1].displayName, "Русский");
    EXPECT_EQ(list[1].langId, 1049);
    EXPECT_EQ(list[1].charSet, 204);
    EXPECT_EQ(list[1].flagPath, lang() + "/flags/ru.bmp");
    EXPECT_EQ(list[1].author, "Перевод");
}

TEST_F(LanguageFilesTest, NoLangFolderGivesAnEmptyListAndNoChoice) {
    auto list = scanLanguages({dir.file("missing")});
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(chooseStartLanguage(list, {dir.file("missing")}, "", 25), -1);
    EXPECT_TRUE(list.empty());
}

TEST_F(LanguageFilesTest, OneLanguageFileIsChosenWhateverItsId) {
    write("de.lng", "[main]\nLanguage=Deutsch\nLangID=7\n");
    auto list = scanLanguages({lang()});
    EXPECT_EQ(chooseStartLanguage(list, {lang()}, "", 25), 0);
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(LanguageFilesTest, StartLanguageFollowsTheSystemLanguageByPrimaryId) {
    write("a_de.lng", "[main]\nLanguage=Deutsch\nLangID=7\n");
    write("b_en.lng", "[main]\nLanguage=English\nLangID=9\n");
    write("c_en2.lng", "[main]\nLanguage=English 2\nLangID=2057\n");  // 0x809: English, British
    auto list = scanLanguages({lang()});
    EXPECT_EQ(chooseStartLanguage(list, {lang()}, "", 0x409), 1);  // first whose id matches
    EXPECT_EQ(systemLanguageIndex(list, 0x807), 0);
    EXPECT_EQ(systemLanguageIndex(list, 25), -1);
    EXPECT_EQ(chooseStartLanguage(list, {lang()}, "", 25), 0);
}

TEST_F(LanguageFilesTest, StoredLanguageNamingAnExistingFileWins) {
    write("en.lng", "[main]\nLanguage=English\nLangID=9\n");
    write("ru.lng", "[main]\nLanguage=Russian\nLangID=25\n");
    auto list = scanLanguages({lang()});
    EXPECT_EQ(chooseStartLanguage(list, {lang()}, "en.lng", 25), 2);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2].fileName, "en.lng");
    EXPECT_EQ(list[2].path, lang() + "/en.lng");
    EXPECT_EQ(list[2].displayName, "Selected");

    // A stored name that is not there, or that leaves the folder, is not used.
    testing_support::writeFile(dir.file("outside.lng"), "[main]\nLanguage=Outside\n");
    for (const char* stored : {"gone.lng", "../outside.lng", "..", ""}) {
        SCOPED_TRACE(stored);
        auto fresh = scanLanguages({lang()});
        EXPECT_EQ(chooseStartLanguage(fresh, {lang()}, stored, 25), 1);
        EXPECT_EQ(fresh.size(), 2u);
    }
}

TEST(LanguageIdTest, LocaleNamesGivePrimaryLanguageIds) {
    struct Row {
        std::map<std::string, std::string> env;
        int id;
    };
    const Row rows[] = {
        {{{"LANG", "ru_RU.UTF-8"}}, 25},
        {{{"LANG", "en_US"}}, 9},
        {{{"LANG", "ru_RU.UTF-8"}, {"LC_MESSAGES", "de_DE@euro"}}, 7},
        {{{"LANG", "ru_RU"}, {"LC_MESSAGES", "de_DE"}, {"LC_ALL", "uk_UA.KOI8-U"}}, 0x22},
        {{{"LANG", "pt-BR"}}, 0x16},
        {{{"LANG", "C"}}, 0},
        {{{"LANG", "POSIX"}}, 0},
        {{{"LANG", "xx_YY"}}, 0},
        {{}, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(userLanguageId(env(r.env)), r.id);
}

TEST_F(LanguageFilesTest, TextsAreDecodedFromWindows1251AndMissingHintsAreEmpty) {
    // "Открыть" / "Открыть|Открыть файл" / "Файл" in Windows-1251.
    write("ru.lng",
          "[main]\nCharSet=204\n[frm1]\nFileOpen1=\xCE\xF2\xEA\xF0\xFB\xF2\xFC\n"
          "FileOpen1h=\xCE\xF2\xEA\xF0\xFB\xF2\xFC|\xCE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB\n"
          "Bar2[0]=\"\xD4\xE0\xE9\xEB\"\nList1_1=Name\n"
          "[strings]\nSTR004=Not found\nSTR014=Nothing found\nSTR031=File \"%s\" exists\n");
    LanguageFile f(lang() + "/ru.lng");
    ASSERT_TRUE(f.loaded());
    EXPECT_EQ(f.text("frm1", "FileOpen1", "keep"), "Открыть");
    EXPECT_EQ(f.hint("FRM1", "fileopen1h"), "Открыть|Открыть файл");
    EXPECT_EQ(f.text("frm1", "Bar2[0]", "keep"), "Файл");  // enclosing quotes go
    EXPECT_EQ(f.text("frm1", "List1_0", "№"), "№");
    EXPECT_EQ(f.text("frm1", "List1_1", "Имя"), "Name");
    EXPECT_EQ(f.hint("frm1", "FileNew1h"), "");
    EXPECT_EQ(f.charSet(), 204);

    auto texts = f.messageTexts();
    EXPECT_EQ(texts[4], "Not found");
    EXPECT_EQ(texts[14], "Nothing found");
    EXPECT_EQ(texts[31], "File \"%s\" exists");
    for (int n : {0, 5, 15, 30}) EXPECT_FALSE(texts[size_t(n)].has_value()) << n;
}

TEST_F(LanguageFilesTest, AFileWithAUtf8MarkIsReadAsUtf8) {
    write("uk.lng", "\xEF\xBB\xBF[main]\nLanguage=Українська\nLangID=34\n");
    write("ru.lng", "[main]\nCharSet=204\nLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\n");
    auto list = scanLanguages({lang()});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].displayName, "Русский");
    EXPECT_EQ(list[1].displayName, "Українська");
    EXPECT_EQ(list[1].langId, 34);
}

TEST_F(LanguageFilesTest, AMissingFileBehavesAsAnEmptyOne) {
    LanguageFile f(lang() + "/gone.lng");
    EXPECT_FALSE(f.loaded());
    EXPECT_EQ(f.text("frm1", "Caption", "Varmelo 5.0"), "Varmelo 5.0");
    EXPECT_EQ(f.hint("frm1", "FileOpen1h"), "");
    for (const auto& t : f.messageTexts()) EXPECT_FALSE(t.has_value());
}

TEST(LanguageSearchTest, FoldersComeInTheirOrderWithoutRepeats) {
    struct Row {
        const char* what;
        std::map<std::string, std::string> env;
        std::vector<std::string> folders;
    };
    const Row rows[] = {
        {"defaults",
         {{"HOME", "/home/u"}},
         {"/opt/vm/bin/lang", "/home/u/.local/share/varmelo/lang", "/usr/local/share/varmelo/lang",
          "/usr/share/varmelo/lang", "/opt/vm/share/varmelo/lang"}},
        {"both XDG variables, relative and empty entries skipped, trailing slashes dropped",
         {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data"}, {"XDG_DATA_DIRS", "/a/:rel::/b"}},
         {"/opt/vm/bin/lang", "/data/varmelo/lang", "/a/varmelo/lang", "/b/varmelo/lang",
          "/opt/vm/share/varmelo/lang"}},
        {"an install under /usr lists its share folder once",
         {{"XDG_DATA_DIRS", "/usr/share"}},
         {"/opt/vm/bin/lang", "/usr/share/varmelo/lang", "/opt/vm/share/varmelo/lang"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(languageSearchFolders("/opt/vm/bin", env(r.env)), r.folders);
    }
    EXPECT_EQ(languageSearchFolders("/usr/bin", env({}))[1], "/usr/local/share/varmelo/lang");
    EXPECT_EQ(languageSearchFolders("/usr/bin", env({})).back(), "/usr/share/varmelo/lang");
}

TEST(LanguageSearchTest, FirstFileOfANameWinsAndTheListIsInNameOrder) {
    TempDir dir;
    const std::string own = dir.file("own"), user = dir.file("user"), system = dir.file("system");
    for (const std::string& d : {own, user, system}) ::mkdir(d.c_str(), 0755);
    testing_support::writeFile(own + "/Russian.lng", "[main]\nLanguage=Own Russian\nFlag=ru.bmp\n");
    testing_support::writeFile(user + "/Russian.lng", "[main]\nLanguage=User Russian\n");
    testing_support::writeFile(user + "/German.lng", "[main]\nLanguage=\n");  // unusable, and it hides...
    testing_support::writeFile(system + "/German.lng", "[main]\nLanguage=System German\n");  // ...this one
    testing_support::writeFile(system + "/English.lng", "[main]\nLanguage=English\nFlag=en.bmp\n");
    testing_support::writeFile(system + "/Zulu.lng", "[main]\nLanguage=Zulu\n");

    const std::vector<std::string> folders = {own, dir.file("missing"), user, system};
    auto list = scanLanguages(folders);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].displayName, "English");
    EXPECT_EQ(list[0].path, system + "/English.lng");
    EXPECT_EQ(list[0].flagPath, system + "/en.bmp");
    EXPECT_EQ(list[1].displayName, "Own Russian");
    EXPECT_EQ(list[1].path, own + "/Russian.lng");
    EXPECT_EQ(list[1].flagPath, own + "/ru.bmp");
    EXPECT_EQ(list[2].fileName, "Zulu.lng");

    EXPECT_EQ(findLanguageFile(folders, "Russian.lng"), own + "/Russian.lng");
    EXPECT_EQ(findLanguageFile(folders, "German.lng"), user + "/German.lng");
    EXPECT_EQ(findLanguageFile(folders, "Klingon.lng"), "");
    EXPECT_EQ(findLanguageFile(folders, "../own/Russian.lng"), "");

    // A stored name is looked for in every folder.
    EXPECT_EQ(chooseStartLanguage(list, folders, "Zulu.lng", 9), 3);
    EXPECT_EQ(list[3].path, system + "/Zulu.lng");
}

TEST(CodePageTest, CharacterSetsNameTheirCodePages) {
    const std::pair<int, int> rows[] = {{204, 1251}, {0, 1252}, {1, 1252}, {238, 1250}, {161, 1253},
                                        {162, 1254}, {186, 1257}, {177, 1255}, {178, 1256}, {163, 1258},
                                        {128, 932},  {2, 1252},   {255, 1252}};
    for (auto [charSet, codePage] : rows) EXPECT_EQ(codePageOfCharSet(charSet), codePage) << charSet;

    // Bytes whose meaning differs by code page.
    EXPECT_EQ(windowsCodePageToUtf8("\xE9", 1252), "é");
    EXPECT_EQ(windowsCodePageToUtf8("\xE9", 1251), "й");
    EXPECT_EQ(windowsCodePageToUtf8("\xB9", 1250), "ą");
    EXPECT_EQ(windowsCodePageToUtf8("\xE1", 1253), "α");
    EXPECT_EQ(windowsCodePageToUtf8("\xFE", 1254), "ş");
    EXPECT_EQ(windowsCodePageToUtf8("\xE0", 1255), "א");
    EXPECT_EQ(windowsCodePageToUtf8("\xE8", 1257), "č");
    EXPECT_EQ(windowsCodePageToUtf8("\x82\xA0", 932), "あ");
    // A byte the page has no character for, and a double-byte lead cut off at the end.
    EXPECT_EQ(windowsCodePageToUtf8("a\x81z", 1252), "a\xEF\xBF\xBDz");
    EXPECT_EQ(windowsCodePageToUtf8("a\x82", 932), "a\xEF\xBF\xBD");
}

TEST_F(LanguageFilesTest, TextsAreDecodedByTheirCharSet) {
    // The same bytes read as Windows-1251, Windows-1252 and, after a byte-order mark, UTF-8.
    write("ru.lng", "[main]\nCharSet=204\nLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\n[strings]\nSTR023=\xC8\xEC\xFF\n");
    write("fr.lng", "[main]\nCharSet=0\nLanguage=Fran\xE7" "ais\n[strings]\nSTR023=Pr\xE9nom\n");
    write("de.lng", "[main]\nLanguage=Deutsch\n[strings]\nSTR023=Gr\xF6\xDF" "e\n");  // default 1: 1252
    write("uk.lng", "\xEF\xBB\xBF[main]\nCharSet=204\nLanguage=Українська\n[strings]\nSTR023=Ім'я\n");
    const std::pair<const char*, const char*> rows[] = {
        {"ru.lng", "Имя"}, {"fr.lng", "Prénom"}, {"de.lng", "Größe"}, {"uk.lng", "Ім'я"}};
    for (auto [file, name] : rows) {
        SCOPED_TRACE(file);
        EXPECT_EQ(LanguageFile(lang() + "/" + file).messageTexts()[MsgColName], name);
    }
    auto list = scanLanguages({lang()});
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].displayName, "Français");
    EXPECT_EQ(list[2].displayName, "Русский");
    EXPECT_EQ(list[3].displayName, "Українська");
}
