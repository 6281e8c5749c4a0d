#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "cli/json_value.h"
#include "cli/run_cli.h"
#include "support/archive_builders.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/numbered_name.h"

using namespace cli_testing;
using namespace testing_support;

namespace {

uint32_t u32(const Bytes& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
std::string nameAt(const Bytes& b, size_t at) {
    std::string n(b.begin() + long(at), b.begin() + long(at + 24));
    return n.substr(0, n.find('\0'));
}
bool exists(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0;
}
std::string text(const Bytes& b) { return std::string(b.begin(), b.end()); }

// "\xC0\xF0\xF5\xE8\xE2" is "Архив" in Windows-1251.
const std::string kCyrillic = "\xC0\xF0\xF5\xE8\xE2.txt";
const std::string kCyrillicUtf8 = "Архив.txt";

class Cli : public testing::Test {
protected:
    TempDir dir;
    std::string img = dir.file("a.img");
    void SetUp() override {
        ImgBuilder()
            .add("vehicle.txd", pattern(3000, 1))
            .add("car.DFF", pattern(100, 2))
            .add(kCyrillic, "hello")
            .add("abcdefghijklmnopqrstuvwx", pattern(2048, 3))
            .writeV2(img);
    }
};

TEST_F(Cli, UsageErrorsExitTwoWithTheUsageText) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"list"}, {"list", "--jsn", img}, {"create", dir.file("x")}, {"rename", img, "#0"}}) {
        CliResult r = runCli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: varmelo-cli COMMAND"), std::string::npos);
        EXPECT_EQ(r.err.rfind("varmelo-cli: ", 0), 0u) << r.err;
    }
}

// Every command line the help prints is in the README, and the other way round.
TEST_F(Cli, HelpAndReadmeShowTheSameCommands) {
    CliResult r = runCli({"--help"});
    ASSERT_EQ(r.status, 0);
    std::vector<std::string> help, readme;
    std::istringstream helpLines(r.out);
    for (std::string line; std::getline(helpLines, line);)
        if (line.rfind("  ", 0) == 0) help.push_back("varmelo-cli " + line.substr(2));
    std::istringstream readmeLines(text(readFile(VARMELO_SOURCE_DIR "/README.md")));
    for (std::string line; std::getline(readmeLines, line);)
        if (line.rfind("varmelo-cli ", 0) == 0) readme.push_back(line);
    EXPECT_FALSE(help.empty());
    EXPECT_EQ(help, readme);
}

TEST_F(Cli, FailuresExitOneWithTheErrorText) {
    CliResult r = runCli({"list", dir.file("missing.img")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: File not found\n");
    EXPECT_EQ(r.out, "");
    r = runCli({"rename", img, "nosuch.txd", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: no entry named 'nosuch.txd'\n");
    r = runCli({"delete", img, "#4"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: no entry #4 (the archive has 4 entries)\n");
}

TEST_F(Cli, ListShowsTheFourColumns) {
    CliResult r = runCli({"list", img});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "0\tvehicle.txd\t00000800\t4 КБ\n"
              "1\tcar.DFF\t00001800\t2 КБ\n"
              "2\t" + kCyrillicUtf8 + "\t00002000\t2 КБ\n"
              "3\tabcdefghijklmnopqrstuvwx\t00002800\t2 КБ\n");
}

// A locale whose language has no file gets the English file.
TEST_F(Cli, ListSizesFollowTheLocaleButNotTheJson) {
    const std::string json = runCli({"list", "--json", img}).out;
    for (const auto& [lang, size] : std::vector<std::pair<std::string, std::string>>{
             {"en_US.UTF-8", "4 KB"}, {"ru_RU.UTF-8", "4 КБ"}, {"de_DE.UTF-8", "4 KB"}}) {
        CliResult r = runCli({"list", img}, "", lang);
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "0\tvehicle.txd\t00000800\t" + size) << lang;
        EXPECT_EQ(runCli({"list", "--json", img}, "", lang).out, json) << lang;
    }
}

TEST_F(Cli, ListJsonParsesBack) {
    ImgBuilder().add("q\"\\\t.txd", "x").add(kCyrillic, "y").writeV1(dir.file("v1.img"));
    CliResult r = runCli({"list", "--json", dir.file("v1.img")});
    ASSERT_EQ(r.status, 0) << r.err;
    Json j = parseJson(r.out);
    EXPECT_EQ(j["kind"].string, "img1");
    EXPECT_EQ(j["path"].string, dir.file("v1.img"));
    EXPECT_EQ(j["dir_path"].string, dir.file("v1.dir"));
    ASSERT_EQ(j["entries"].items.size(), 2u);
    const Json& e0 = j["entries"][0];
    EXPECT_EQ(e0["index"].number, 0);
    EXPECT_EQ(e0["name"].string, "q\"\\\t.txd");
    EXPECT_EQ(e0["offset"].number, 0);
    EXPECT_EQ(e0["size"].number, 1);
    EXPECT_EQ(e0["byte_size"].number, 2048);
    const Json& e1 = j["entries"][1];
    EXPECT_EQ(e1["name"].string, kCyrillicUtf8);
    EXPECT_EQ(e1["offset"].number, 1);
    EXPECT_EQ(e1["byte_offset"].number, 2048);

    r = runCli({"list", "--json", img});
    Json v2 = parseJson(r.out);
    EXPECT_EQ(v2["kind"].string, "img2");
    EXPECT_EQ(v2["dir_path"].string, img);
    EXPECT_EQ(v2["entries"][3]["name"].string, "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(v2["entries"][0]["byte_size"].number, 4096);

    // control characters are escaped; a path that is not UTF-8 still gives valid JSON
    std::string odd = dir.file("odd\xFF.img");
    ImgBuilder().add("ctl\x01.txd", "x").writeV2(odd);
    r = runCli({"list", "--json", odd});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"ctl\\u0001.txd\""), std::string::npos) << r.out;
    Json o = parseJson(r.out);
    EXPECT_EQ(o["entries"][0]["name"].string, "ctl\x01.txd");
    EXPECT_EQ(o["path"].string, dir.file("odd\xEF\xBF\xBD.img"));
}

TEST_F(Cli, ReadOnlyKindsListInBytesAndRefuseEditing) {
    std::string big = dir.file("h.big");
    BigBuilder builder;
    builder.add("music\\theme.wav", pattern(1536, 5)).add("b", pattern(1023, 6));
    builder.write(big);
    char address[16];
    std::snprintf(address, sizeof address, "%08X", builder.dataOffset(0));
    CliResult r = runCli({"list", big});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), std::string("0\tmusic\\theme.wav\t") + address + "\t1.50 КБ");
    EXPECT_NE(r.out.find("\t1023 байт\n"), std::string::npos) << r.out;
    Json j = parseJson(runCli({"list", "--json", big}).out);
    EXPECT_EQ(j["kind"].string, "big");
    EXPECT_EQ(j["entries"][1]["byte_offset"].number, builder.dataOffset(1));
    EXPECT_EQ(j["entries"][1]["size"].number, 1023);

    ASSERT_EQ(runCli({"extract", big, "-o", dir.file("x"), "--whole-word", "b"}).status, 0);
    EXPECT_EQ(readFile(dir.file("x/b")), pattern(1023, 6));

    Bytes before = readFile(big);
    writeFile(dir.file("f.bin"), "f");
    r = runCli({"add", big, dir.file("f.bin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: a big archive cannot be edited\n");
    EXPECT_EQ(runCli({"delete", big, "#0"}).status, 1);
    EXPECT_EQ(readFile(big), before);
}

TEST_F(Cli, ExtractAllOrByMaskWithSectorPadding) {
    Bytes archive = readFile(img);
    CliResult r = runCli({"extract", img, "-o", dir.file("all")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir.file("all/vehicle.txd")), slice(archive, 2048, 4096));

    // The masks are typed in UTF-8 and matched in the code page: without match case the
    // upper-case Cyrillic mask finds "Архив"
    r = runCli({"extract", img, "-o", dir.file("some"), "DFF", "АРХИВ"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(exists(dir.file("some/car.DFF")));
    EXPECT_TRUE(exists(dir.file("some/" + kCyrillicUtf8)));
    EXPECT_FALSE(exists(dir.file("some/vehicle.txd")));
    r = runCli({"extract", img, "-o", dir.file("case"), "--match-case", "Архив"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(exists(dir.file("case/" + kCyrillicUtf8)));  // the name keeps its lower case

    r = runCli({"extract", img, "-o", dir.file("whole"), "--whole-word", "*.txd", "[a-b]*"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(exists(dir.file("whole/vehicle.txd")));
    EXPECT_TRUE(exists(dir.file("whole/abcdefghijklmnopqrstuvwx")));
    EXPECT_FALSE(exists(dir.file("whole/car.DFF")));
}

TEST_F(Cli, ExtractReportsAnInvalidMask) {
    CliResult r = runCli({"extract", img, "-o", dir.file("x"), "[b"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: '*[b*' is an invalid mask at (5)\n");
    EXPECT_FALSE(exists(dir.file("x")));
}

TEST_F(Cli, ExtractCreatesFoldersInsideAndRefusesClimbingOut) {
    std::string pk = dir.file("p.img");
    ImgBuilder()
        .add("textures\\wall.tga", "wall")
        .add("../evil.txt", "evil")
        .add("models/car.dff", "car")
        .writeV2(pk);
    CliResult r = runCli({"extract", pk, "-o", dir.file("out")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("#1 '../evil.txt' not extracted"), std::string::npos) << r.err;
    EXPECT_EQ(text(readFile(dir.file("out/textures/wall.tga"))).substr(0, 4), "wall");
    EXPECT_EQ(text(readFile(dir.file("out/models/car.dff"))).substr(0, 3), "car");
    EXPECT_FALSE(exists(dir.file("evil.txt")));
}

// What already stands in the output folder is never written through, and one refused entry
// costs only itself.
TEST_F(Cli, ExtractNeverWritesThroughALinkAndGoesOnPastARefusal) {
    std::string pk = dir.file("p.img");
    ImgBuilder().add("first.txt", "first").add("lnk", "evil").add("last.txt", "last").writeV2(pk);
    ::mkdir(dir.file("out").c_str(), 0777);
    ::mkdir(dir.file("outside").c_str(), 0777);
    writeFile(dir.file("outside/victim.txt"), "precious");
    ASSERT_EQ(::symlink("../outside/victim.txt", dir.file("out/lnk").c_str()), 0);

    CliResult r = runCli({"extract", pk, "-o", dir.file("out")});

    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("#1 'lnk' not extracted: Entry \"lnk\" cannot be extracted: a symbolic link is in its place"),
              std::string::npos) << r.err;
    EXPECT_EQ(text(readFile(dir.file("outside/victim.txt"))), "precious");
    EXPECT_EQ(text(readFile(dir.file("out/first.txt"))).substr(0, 5), "first");
    EXPECT_EQ(text(readFile(dir.file("out/last.txt"))).substr(0, 4), "last");
}

// ZIP tools write folder entries ("META-INF/"); they become folders and hold what is inside.
TEST_F(Cli, ExtractMakesFolderEntriesIntoFolders) {
    std::string pk = dir.file("game.pk4");
    ZipBuilder()
        .add("META-INF/", {})
        .add("META-INF/MANIFEST.MF", pattern(30, 1))
        .add("def/", {})
        .add("def/entities/", {})
        .add("def/entities/car.def", pattern(40, 2))
        .add("empty\\", {})
        .write(pk);
    CliResult r = runCli({"list", pk});
    EXPECT_NE(r.out.find("META-INF/"), std::string::npos);
    r = runCli({"extract", pk, "-o", dir.file("out")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir.file("out/META-INF/MANIFEST.MF")), pattern(30, 1));
    EXPECT_EQ(readFile(dir.file("out/def/entities/car.def")), pattern(40, 2));
    struct stat st {};
    EXPECT_TRUE(::stat(dir.file("out/empty").c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

TEST_F(Cli, AddAppendsSectorsAndNamesTheEntryInTheCodePage) {
    writeFile(dir.file(kCyrillicUtf8), pattern(2049, 9));
    writeFile(dir.file("empty.bin"), Bytes{});
    uint64_t before = readFile(img).size();
    CliResult r = runCli({"add", img, dir.file(kCyrillicUtf8), dir.file("empty.bin")});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes b = readFile(img);
    ASSERT_EQ(b.size(), before + 4096);
    EXPECT_EQ(u32(b, 4), 5u);
    // the Cyrillic file's name is "Архив.txt" and exists already as entry 2: replaced
    // by default, so entry 2 is gone and the new entries are 3 and 4
    EXPECT_EQ(nameAt(b, 8 + 2 * 32 + 8), "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(u32(b, 8 + 3 * 32), before / 2048);
    EXPECT_EQ(u32(b, 8 + 3 * 32 + 4), 2u);
    EXPECT_EQ(nameAt(b, 8 + 3 * 32 + 8), kCyrillic);
    EXPECT_EQ(slice(b, before, 2049), pattern(2049, 9));
    EXPECT_EQ(u32(b, 8 + 4 * 32 + 4), 0u);
    EXPECT_EQ(nameAt(b, 8 + 4 * 32 + 8), "empty.bin");
}

TEST_F(Cli, AddWithExistingNamesDuplicateOrStop) {
    writeFile(dir.file("VEHICLE.TXD"), pattern(10, 4));
    CliResult r = runCli({"add", img, "--existing=stop", dir.file("VEHICLE.TXD")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("'VEHICLE.TXD' is already in the archive as #0"), std::string::npos) << r.err;
    EXPECT_EQ(u32(readFile(img), 4), 4u);
    r = runCli({"add", img, "--existing=duplicate", dir.file("VEHICLE.TXD")});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes b = readFile(img);
    EXPECT_EQ(u32(b, 4), 5u);
    EXPECT_EQ(nameAt(b, 8 + 8), "vehicle.txd");
    EXPECT_EQ(nameAt(b, 8 + 4 * 32 + 8), "VEHICLE.TXD");
    r = runCli({"add", img, "--existing=maybe", dir.file("VEHICLE.TXD")});
    EXPECT_EQ(r.status, 2);
}

TEST_F(Cli, ReplaceTakesTheEntryByNumberOrName) {
    writeFile(dir.file("new.txd"), pattern(4000, 7));
    CliResult r = runCli({"replace", img, "#0", dir.file("new.txd")});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes b = readFile(img);
    EXPECT_EQ(nameAt(b, 16), "new.txd");
    EXPECT_EQ(slice(b, uint64_t(u32(b, 8)) * 2048, 4000), pattern(4000, 7));

    writeFile(dir.file("bigger.dff"), pattern(5000, 8));
    r = runCli({"replace", img, "car.dff", dir.file("bigger.dff")});  // the name in any letter case
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string list = runCli({"list", img}).out;
    EXPECT_NE(list.find("\tbigger.dff\t"), std::string::npos) << list;
    EXPECT_EQ(list.find("car.DFF"), std::string::npos) << list;
}

TEST_F(Cli, DeleteResolvesAllEntriesFirst) {
    // #1 and #3 name the entries as they were before any deletion
    CliResult r = runCli({"delete", img, "#3", "CAR.dff", "#1"});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes b = readFile(img);
    EXPECT_EQ(u32(b, 4), 2u);
    EXPECT_EQ(nameAt(b, 8 + 8), "vehicle.txd");
    EXPECT_EQ(nameAt(b, 8 + 32 + 8), kCyrillic);
    EXPECT_EQ(u32(b, 8 + 32), 4u);
}

TEST_F(Cli, RenameWritesTheRecordAndRefusesWhatItCannotStore) {
    CliResult r = runCli({"rename", img, "car.dff", "Машина.dff"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nameAt(readFile(img), 8 + 32 + 8), "\xCC\xE0\xF8\xE8\xED\xE0.dff");
    r = runCli({"rename", img, "#1", "exactly24characters.abcd"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nameAt(readFile(img), 8 + 32 + 8), "exactly24characters.abcd");
    Bytes before = readFile(img);
    EXPECT_EQ(runCli({"rename", img, "#1", "twenty-five-characters.ab"}).status, 1);
    r = runCli({"rename", img, "#1", "日本.txd"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: '日本.txd' cannot be written in Windows-1251\n");
    EXPECT_EQ(readFile(img), before);
}

TEST_F(Cli, RebuildCutsEntriesToWhatTheFileHoldsAndSaysSo) {
    std::string bad = dir.file("bad.img");
    ImgBuilder().add("a.txd", pattern(100, 1)).sizeField(16387).writeV2(bad);
    ASSERT_EQ(readFile(bad).size(), 4096u);
    CliResult r = runCli({"rebuild", bad});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "#0 'a.txd': cut from 16387 to 1 sectors, the file ends inside it\n");
    EXPECT_EQ(readFile(bad).size(), 4096u + 2048);
    EXPECT_EQ(runCli({"verify", bad}).status, 0);
}

TEST_F(Cli, ReplacingAnEntryPointingFarPastTheEndAppends) {
    std::string bad = dir.file("bad.img");
    ImgBuilder().add("a.txd", pattern(10, 1)).add("gone", Bytes{}).sizeField(1).writeV2(bad);
    Bytes b = readFile(bad);
    std::fill_n(b.begin() + 8 + 32, 4, uint8_t(0xFF));  // gone's record points at sector 0xFFFFFFFF
    writeFile(bad, b);
    const size_t before = b.size();
    writeFile(dir.file("five"), pattern(5, 2));
    CliResult r = runCli({"replace", bad, "gone", dir.file("five")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(bad).size(), before + 2048);
    r = runCli({"verify", bad});
    EXPECT_EQ(r.status, 0) << r.out;
}

TEST_F(Cli, RebuildDropsGaps) {
    ASSERT_EQ(runCli({"delete", img, "#0"}).status, 0);
    CliResult r = runCli({"rebuild", img});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");  // no progress drawn when stderr is not a terminal
    Bytes b = readFile(img);
    EXPECT_EQ(b.size(), 4096u + 3 * 2048);
    EXPECT_EQ(u32(b, 4), 3u);
}

TEST_F(Cli, ProgressIsDrawnOnlyOnATerminal) {
    std::vector<std::string> files;
    for (int k = 0; k < 3; ++k) {
        files.push_back(dir.file(numbered("f", size_t(k), ".bin")));
        writeFile(files.back(), pattern(10, uint32_t(k)));
    }
    std::vector<std::string> args = {"add", img};
    args.insert(args.end(), files.begin(), files.end());
    CliResult plain = runCli(args);
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    CliResult tty = runCliOnTerminal({"rebuild", img});
    ASSERT_EQ(tty.status, 0) << tty.err;
    EXPECT_NE(tty.err.find("\rRebuilding: 100%"), std::string::npos) << tty.err;
    EXPECT_EQ(u32(readFile(img), 4), 7u);
}

TEST_F(Cli, CreateBothForms) {
    CliResult r = runCli({"create", "--sa", dir.file("new")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("new.img") + "\n");
    EXPECT_EQ(text(slice(readFile(dir.file("new.img")), 0, 4)), "VER2");
    r = runCli({"create", "--vc", dir.file("old.dat")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir.file("old.dat")).size(), 0u);
    EXPECT_TRUE(exists(dir.file("old.dir")));
    EXPECT_EQ(runCli({"list", dir.file("new.img")}).out, "");
}

TEST_F(Cli, CreateKeepsExistingFilesUnlessForced) {
    Bytes before = readFile(img);
    CliResult r = runCli({"create", "--sa", img});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: '" + img + "' exists already; give --force to replace it\n");
    EXPECT_EQ(readFile(img), before);
    writeFile(dir.file("b.dir"), "keep");
    EXPECT_EQ(runCli({"create", "--vc", dir.file("b.img")}).status, 1);
    EXPECT_FALSE(exists(dir.file("b.img")));
    ASSERT_EQ(runCli({"create", "--sa", "--force", img}).status, 0);
    EXPECT_EQ(readFile(img).size(), 2048u);
}

TEST_F(Cli, VerifyReportsFindings) {
    CliResult r = runCli({"verify", img});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
    std::string bad = dir.file("bad.img");
    ImgBuilder().add("a.txd", pattern(4096, 1)).at(1).add("b.txd", pattern(10, 2)).at(2).add(kCyrillic, "z").at(40).writeV2(bad);
    r = runCli({"verify", bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "#1 'b.txd': bytes 4096 to 6144 (exclusive) overlap the data of #0 'a.txd'\n");
    // cut the file inside the last entry
    Bytes b = readFile(bad);
    b.resize(40 * 2048 + 100);
    writeFile(bad, b);
    r = runCli({"verify", bad});
    EXPECT_EQ(r.out,
              "#1 'b.txd': bytes 4096 to 6144 (exclusive) overlap the data of #0 'a.txd'\n"
              "#2 '" + kCyrillicUtf8 + "': bytes 81920 to 83968 (exclusive) reach past the end of the file (82020 bytes)\n");
}

// A rebuild that was killed leaves its temporary file: verify names it (as the file system
// spells it, not as an entry name) and the next rebuild takes it away.
TEST_F(Cli, VerifyReportsTheLeftoverOfAKilledRebuild) {
    const std::string sub = dir.file("\xd0\x9f\xd0\xb0\xd0\xbf\xd0\xba\xd0\xb0");  // "Папка" in UTF-8
    ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
    const std::string archive = sub + "/a.img";
    ImgBuilder().add("x.txd", pattern(3000, 1)).writeV2(archive);
    writeFile(sub + "/a.~new", pattern(100, 2));
    CliResult r = runCli({"verify", archive});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "'" + sub + "/a.~new' is left over from a rebuild that did not finish; the next rebuild removes it\n");
    ASSERT_EQ(runCli({"rebuild", archive}).status, 0);
    EXPECT_FALSE(exists(sub + "/a.~new"));
    r = runCli({"verify", archive});
    EXPECT_EQ(r.status, 0) << r.out;
}

// The program's own edits leave data in any order: an add that grew a VER2 directory over the
// first entry moved that entry to the end, and the archive still verifies clean.
TEST_F(Cli, VerifyAcceptsTheLayoutOfOurOwnEdits) {
    std::string sa = dir.file("sa.img");
    ImgBuilder b;
    for (int i = 0; i < 63; ++i) b.add(numbered("e", size_t(i)), pattern(700, uint32_t(i)));
    b.writeV2(sa);
    writeFile(dir.file("new.bin"), pattern(10, 99));
    ASSERT_EQ(runCli({"add", sa, dir.file("new.bin")}).status, 0);
    CliResult r = runCli({"verify", sa});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
}

// A ZIP whose local headers stop early lists what it can, and verify says what is missing.
TEST_F(Cli, VerifyComparesAZipWithItsCentralDirectory) {
    ZipBuilder z;
    for (int i = 0; i < 14; ++i) z.add(numbered("f", size_t(i), ".txt"), pattern(20, uint32_t(i)));
    std::string pk = dir.file("z.pk4");
    z.write(pk);
    EXPECT_EQ(runCli({"verify", pk}).status, 0);
    Bytes b = readFile(pk);
    const size_t at = z.dataOffset(1) - 30 - 6 + 18;  // f1.txt's local compressed size
    ASSERT_EQ(u32(b, at), 20u);
    b[at] = 21;
    writeFile(pk, b);
    CliResult r = runCli({"list", pk});
    EXPECT_EQ(r.status, 0);
    r = runCli({"verify", pk});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "the archive's index lists 14 entries, but 2 could be read\n");
}

}  // namespace
