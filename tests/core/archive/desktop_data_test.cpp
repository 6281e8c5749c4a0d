// The installed data files made from the kinds' rows.
#include <gtest/gtest.h>

#include "core/archive/archive_file_type.h"
#include "core/archive/desktop_data.h"
#include "core/io/errors.h"

using namespace varmelo;

namespace {

TEST(DesktopData, MimePackageHasEveryTypeWithItsMagicEscaped) {
    const std::string xml = mimePackageXml();
    for (const ArchiveFileType* t : archiveFileTypes()) {
        EXPECT_NE(xml.find("<mime-type type=\"" + mimeTypeOf(*t) + "\">"), std::string::npos) << t->extension;
        EXPECT_NE(xml.find("<glob pattern=\"*." + std::string(t->extension) + "\" weight=\"20\"/>"),
                  std::string::npos);
    }
    // ZIP's control bytes as octal escapes, below ZIP's own magic.
    EXPECT_NE(xml.find("<sub-class-of type=\"application/zip\"/>\n    <generic-icon name=\"package-x-generic\"/>\n"
                       "    <magic priority=\"10\">\n      <match type=\"string\" offset=\"0\" value=\"PK\\003\\004\"/>"),
              std::string::npos);
    // Both IMG forms are one type; only the single-file one has a signature.
    EXPECT_NE(xml.find("<comment xml:lang=\"ru\">Архив Grand Theft Auto IMG</comment>\n"
                       "    <generic-icon name=\"package-x-generic\"/>\n    <magic>\n"
                       "      <match type=\"string\" offset=\"0\" value=\"VER2\"/>\n    </magic>\n"),
              std::string::npos);
}

TEST(DesktopData, FieldsListEveryTypeInTheTemplatesForms) {
    const auto fields = desktopDataFields();
    std::string mimeTypes;
    for (const ArchiveFileType* t : archiveFileTypes()) mimeTypes += mimeTypeOf(*t) + ";";
    EXPECT_EQ(fields.at("MIME_TYPES"), mimeTypes);
    EXPECT_EQ(fields.at("MEDIA_TYPES").find("    <mediatype>application/x-varmelo-img</mediatype>\n"), 0u);
    EXPECT_NE(fields.at("ARCHIVE_ITEMS").find("<li>«Братва и Кольцо» archives (.bin)</li>"), std::string::npos);
    const std::string& list = fields.at("ARCHIVE_LIST");
    EXPECT_NE(list.find("\\(FoБратва и Кольцо\\(Fc archives\n.RI ( .bin ),\n"), std::string::npos) << list;
    EXPECT_EQ(list.substr(list.rfind("\nand ")), "\nand \\(FoСанитары Подземелий\\(Fc archives\n.RI ( .pak )");
}

TEST(DesktopData, TemplateFieldsAreFilledAndUnknownOnesRefused) {
    EXPECT_EQ(fillFields("a @X@ b @Y@@X@", {{"X", "1"}, {"Y", "22"}}), "a 1 b 221");
    EXPECT_EQ(fillFields("no fields, one @ sign", {}), "no fields, one @ sign");
    EXPECT_THROW(fillFields("MimeType=@MIME_TYPE@", {{"MIME_TYPES", "x"}}), UsageError);
}

}  // namespace
