#include "core/settings/associations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/settings/mimeapps_list.h"
#include "support/temp_dir.h"

using namespace varmelo;
using testing_support::TempDir;

namespace {

std::string readText(const std::string& path) {
    auto b = testing_support::readFile(path);
    return std::string(b.begin(), b.end());
}

// The state with only this tag associated (none for -1).
std::vector<bool> only(int tag) {
    std::vector<bool> s(static_cast<size_t>(associationCount()));
    if (tag >= 0) s[size_t(tag)] = true;
    return s;
}

class AssociationsTest : public ::testing::Test {
protected:
    AssociationsTest()
        : assoc({dir.file("data"), dir.file("config"), "/opt/My Tools/varmelo",
                 [this](const std::vector<std::string>& argv) { tools.push_back(argv); }}) {}

    void writeForeignPackage(const std::string& ext) {
        makeFolders(dir.file("data/mime/packages"));
        testing_support::writeFile(dir.file("data/mime/packages/varmelo-" + ext + ".xml"),
                                   "<?xml version=\"1.0\"?>\n<mime-info/>\n");
    }

    TempDir dir;
    std::vector<std::vector<std::string>> tools;
    Associations assoc;
};

}  // namespace

TEST_F(AssociationsTest, CheckingOneWritesPackageDesktopEntryAndDefaultLine) {
    EXPECT_EQ(assoc.state(), only(-1));
    assoc.set(0, true, "Псевдоархив");

    EXPECT_EQ(assoc.state(), only(0));
    EXPECT_EQ(readText(dir.file("data/mime/packages/varmelo-img.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <!-- varmelo-association -->\n"
              "  <mime-type type=\"application/x-varmelo-img\">\n"
              "    <comment>Псевдоархив</comment>\n"
              "    <glob pattern=\"*.img\"/>\n"
              "  </mime-type>\n"
              "</mime-info>\n");
    EXPECT_EQ(readText(dir.file("data/applications/varmelo.desktop")),
              "[Desktop Entry]\nType=Application\nVersion=1.0\nName=Varmelo\nComment=Псевдоархив\n"
              "Exec=\"/opt/My Tools/varmelo\" %f\nTerminal=false\nNoDisplay=true\n"
              "MimeType=application/x-varmelo-img;\nX-Varmelo-Association=true\n");
    EXPECT_EQ(readText(dir.file("config/mimeapps.list")),
              "[Default Applications]\napplication/x-varmelo-img=varmelo.desktop\n");
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0], (std::vector<std::string>{"update-mime-database", dir.file("data/mime")}));
    EXPECT_EQ(tools[1], (std::vector<std::string>{"update-desktop-database", dir.file("data/applications")}));
}

TEST_F(AssociationsTest, ExecLineEscapesTheExecutablePath) {
    struct Row {
        const char* exe;
        const char* exec;
    };
    const Row rows[] = {
        {"/usr/bin/varmelo", "\"/usr/bin/varmelo\" %f"},
        {"/a b/100%/v", "\"/a b/100%%/v\" %f"},
        {"/x\"y/$HOME/`v`", "\"/x\\\\\"y/\\\\$HOME/\\\\`v\\\\`\" %f"},
        {"/back\\slash", "\"/back\\\\\\\\slash\" %f"},
    };
    for (const Row& r : rows) EXPECT_EQ(desktopExecLine(r.exe), r.exec) << r.exe;
}

TEST_F(AssociationsTest, UncheckingRemovesOnlyWhatTheProgramWrote) {
    makeFolders(dir.file("config"));
    testing_support::writeFile(dir.file("config/mimeapps.list"),
                               "# mine\r\n[Added Associations]\r\nimage/png=gimp.desktop;\r\n\r\n"
                               "[Default Applications]\r\ntext/plain=gedit.desktop\r\n"
                               "application/x-varmelo-bin=other.desktop;varmelo.desktop;\r\n");
    assoc.setAll(true, "Псевдоархив");
    EXPECT_TRUE(assoc.allAssociated());
    EXPECT_EQ(readText(dir.file("config/mimeapps.list")),
              "# mine\r\n[Added Associations]\r\nimage/png=gimp.desktop;\r\n\r\n"
              "[Default Applications]\r\ntext/plain=gedit.desktop\r\n"
              "application/x-varmelo-bin=varmelo.desktop\r\n"
              "application/x-varmelo-img=varmelo.desktop\n"
              "application/x-varmelo-syb=varmelo.desktop\n"
              "application/x-varmelo-big=varmelo.desktop\n"
              "application/x-varmelo-pk4=varmelo.desktop\n"
              "application/x-varmelo-pak=varmelo.desktop\n");

    // Another program takes over .bin; then everything is unchecked.
    std::string list = readText(dir.file("config/mimeapps.list"));
    list.replace(list.find("x-varmelo-bin=varmelo.desktop"), 29, "x-varmelo-bin=other.desktop;varmelo.desktop");
    testing_support::writeFile(dir.file("config/mimeapps.list"), list);
    writeForeignPackage("bin");
    assoc.setAll(false, "Псевдоархив");

    EXPECT_EQ(readText(dir.file("config/mimeapps.list")),
              "# mine\r\n[Added Associations]\r\nimage/png=gimp.desktop;\r\n\r\n"
              "[Default Applications]\r\ntext/plain=gedit.desktop\r\n"
              "application/x-varmelo-bin=other.desktop\r\n");
    EXPECT_FALSE(fileExists(dir.file("data/mime/packages/varmelo-img.xml")));
    // The foreign package stays and still counts, so the desktop entry stays too.
    EXPECT_TRUE(fileExists(dir.file("data/mime/packages/varmelo-bin.xml")));
    EXPECT_EQ(assoc.state(), only(4));
    EXPECT_NE(readText(dir.file("data/applications/varmelo.desktop")).find("MimeType=application/x-varmelo-bin;\n"),
              std::string::npos);
}

TEST_F(AssociationsTest, DesktopEntryGoesWithTheLastAssociation) {
    assoc.set(2, true, "Псевдоархив");
    assoc.set(5, true, "Pseudo-archive");
    EXPECT_NE(readText(dir.file("data/applications/varmelo.desktop"))
                  .find("Comment=Pseudo-archive\n"
                        "Exec=\"/opt/My Tools/varmelo\" %f\nTerminal=false\nNoDisplay=true\n"
                        "MimeType=application/x-varmelo-big;application/x-varmelo-pak;\n"),
              std::string::npos);
    assoc.set(2, false, "Псевдоархив");
    EXPECT_TRUE(fileExists(dir.file("data/applications/varmelo.desktop")));
    assoc.set(5, false, "Псевдоархив");
    EXPECT_FALSE(fileExists(dir.file("data/applications/varmelo.desktop")));
    EXPECT_EQ(readText(dir.file("config/mimeapps.list")), "[Default Applications]\n");
}

TEST_F(AssociationsTest, AnInstalledProgramsEntryStaysInTheMenuAndAnEntryNotOursIsLeftAlone) {
    makeFolders(dir.file("usr/bin"));
    makeFolders(dir.file("usr/share/varmelo"));
    Associations installed({dir.file("data"), dir.file("config"), dir.file("usr/bin/varmelo"), {}});
    installed.set(0, true, "x");
    const std::string entry = readText(dir.file("data/applications/varmelo.desktop"));
    EXPECT_NE(entry.find("Terminal=false\nIcon=varmelo\nMimeType=application/x-varmelo-img;\n"), std::string::npos);
    EXPECT_EQ(entry.find("NoDisplay"), std::string::npos);
    installed.set(0, false, "x");
    EXPECT_FALSE(fileExists(dir.file("data/applications/varmelo.desktop")));

    // The entry of an install under ~/.local: written by no association, it survives both ways.
    const std::string own = "[Desktop Entry]\nType=Application\nName=Varmelo\nExec=varmelo %f\n";
    testing_support::writeFile(dir.file("data/applications/varmelo.desktop"), own);
    installed.set(3, true, "x");
    EXPECT_EQ(readText(dir.file("data/applications/varmelo.desktop")), own);
    installed.set(3, false, "x");
    EXPECT_EQ(readText(dir.file("data/applications/varmelo.desktop")), own);
    EXPECT_EQ(readText(dir.file("config/mimeapps.list")), "[Default Applications]\n");
}

TEST_F(AssociationsTest, AForeignPackageShowsAsAssociated) {
    writeForeignPackage("pk4");
    EXPECT_EQ(assoc.state(), only(3));
    EXPECT_FALSE(assoc.allAssociated());
    for (int t : {0, 1, 2, 4, 5}) assoc.set(t, true, "x");
    EXPECT_TRUE(assoc.allAssociated());
}

TEST_F(AssociationsTest, DescriptionIsEscapedInBothFiles) {
    assoc.set(1, true, "A <b> & \"c\"\nd\\e");
    EXPECT_NE(readText(dir.file("data/mime/packages/varmelo-syb.xml"))
                  .find("<comment>A &lt;b&gt; &amp; &quot;c&quot;\nd\\e</comment>"),
              std::string::npos);
    EXPECT_NE(readText(dir.file("data/applications/varmelo.desktop")).find("Comment=A <b> & \"c\"\\nd\\\\e\n"),
              std::string::npos);
}

TEST_F(AssociationsTest, UnwritablePlacesThrowFileError) {
    testing_support::writeFile(dir.file("file"), "x");
    Associations blocked({dir.file("file/data"), dir.file("config"), "/usr/bin/varmelo", {}});
    EXPECT_THROW(blocked.set(0, true, "x"), FileError);
    Associations nowhere({"", "", "/usr/bin/varmelo", {}});
    EXPECT_THROW(nowhere.set(0, true, "x"), FileError);
    EXPECT_FALSE(nowhere.isAssociated(0));
}

TEST(MimeAppsListTest, EditsKeepOtherLinesExactly) {
    struct Row {
        const char* before;
        bool add;
        const char* after;
    };
    const Row rows[] = {
        {"", true, "[Default Applications]\nt/x=varmelo.desktop\n"},
        {"[A]\nk=v", true, "[A]\nk=v\n\n[Default Applications]\nt/x=varmelo.desktop\n"},
        {"[Default Applications]\na=b\n\n[B]\nc=d\n", true,
         "[Default Applications]\na=b\nt/x=varmelo.desktop\n\n[B]\nc=d\n"},
        {"[Default Applications]\nT/X = old.desktop\n", true, "[Default Applications]\nt/x=varmelo.desktop\n"},
        {"[Default Applications]\nt/x=varmelo.desktop\na=b\n", false, "[Default Applications]\na=b\n"},
        {"[Default Applications]\nt/x=a.desktop;varmelo.desktop;b.desktop\n", false,
         "[Default Applications]\nt/x=a.desktop;b.desktop\n"},
        {"[Default Applications]\nt/x=other.desktop\n", false, "[Default Applications]\nt/x=other.desktop\n"},
        {"[Added Associations]\nt/x=varmelo.desktop\n", false, "[Added Associations]\nt/x=varmelo.desktop\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.before);
        EXPECT_EQ(r.add ? setDefaultApplication(r.before, "t/x", "varmelo.desktop")
                        : removeDefaultApplication(r.before, "t/x", "varmelo.desktop"),
                  r.after);
    }
}
