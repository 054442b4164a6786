#include "exchange/xml_file.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "exchange/xml_writer.h"
#include "platform/fs_path.h"
#include "tests/support/temp_folder.h"

namespace keyloom {
namespace {

TEST(XmlWriter, WritesDeclarationLineAndEscapesEveryMarkupCharacter) {
    XmlWriter xml;
    xml.Open("profile");
    xml.Open("profileinfo");
    xml.Attribute("name", "a&b<c>d\"e'f");
    xml.Close();
    xml.Open("keyitems");
    xml.Close();
    const std::string doc = xml.Finish();
    EXPECT_EQ(doc.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", 0), 0u);
    EXPECT_NE(doc.find("name=\"a&amp;b&lt;c&gt;d&quot;e&apos;f\""), std::string::npos);
    EXPECT_NE(doc.find("<keyitems/>"), std::string::npos);
    EXPECT_EQ(doc.find("\xEF\xBB\xBF"), std::string::npos);

    const LoadedXml loaded = ParseXml(doc, "profile");
    ASSERT_TRUE(loaded.ok());
    EXPECT_STREQ(loaded.document->document_element().child("profileinfo").attribute("name").value(),
                 "a&b<c>d\"e'f");
}

TEST(XmlFile, LoadReportsWhyNothingCouldBeRead) {
    test_support::TempFolder folder;
    const struct {
        const char* name;
        std::string bytes;
        XmlLoadError expected;
    } cases[] = {
        {"ok.xml", "<profile><profileinfo name=\"x\"/></profile>", XmlLoadError::kNone},
        {"bom.xml", "\xEF\xBB\xBF<profile/>", XmlLoadError::kNone},
        {"text.xml", "this is not xml at all", XmlLoadError::kNotXml},
        {"truncated.xml", "<?xml version=\"1.0\"?>\r\n<profile><keyitems><item key_code=\"4",
         XmlLoadError::kNotXml},
        {"empty.xml", "", XmlLoadError::kNotXml},
        {"root.xml", "<macro/>", XmlLoadError::kWrongRoot},
        {"binary.xml", std::string("\x00\x01\x02\xFF\xFE", 5), XmlLoadError::kNotXml},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadXmlFile(folder.Write(c.name, c.bytes), "profile").error, c.expected)
            << c.name;
    }
    EXPECT_EQ(LoadXmlFile(folder.Wide() + L"missing.xml", "profile").error,
              XmlLoadError::kFileMissing);
    EXPECT_EQ(LoadXmlFile(folder.Wide(), "profile").error, XmlLoadError::kFileMissing);
}

TEST(XmlFile, RefusesOversizedFilesWithoutReadingThem) {
    test_support::TempFolder folder;
    const std::wstring big = folder.Write("big.xml", "<profile>");
    std::filesystem::resize_file(ToFsPath(big), kMaxExchangeFileBytes + 1);
    EXPECT_EQ(LoadXmlFile(big, "profile").error, XmlLoadError::kFileTooLarge);
}

TEST(XmlFile, ExportFileNamesStayInsideTheChosenFolder) {
    const struct {
        std::wstring shown;
        std::wstring expected;
    } cases[] = {
        {L"Profile 1", L"/out/Profile 1-1234.xml"},
        {L"../../etc/passwd", L"/out/.._.._etc_passwd-1234.xml"},
        {L"a\\b:c*d?e\"f<g>h|i", L"/out/a_b_c_d_e_f_g_h_i-1234.xml"},
        {L"配置方案 2", L"/out/配置方案 2-1234.xml"},
        {L"tab\there", L"/out/tab_here-1234.xml"},
        {L"", L"/out/-1234.xml"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportFileName(L"/out/", c.shown, 1234), c.expected);
        EXPECT_EQ(ExportFileName(L"/out", c.shown, 1234), c.expected);
    }
}

TEST(XmlFile, SaveReplacesAnExistingFileAndFailsCleanlyWhereItCannotWrite) {
    test_support::TempFolder folder;
    const std::wstring path = folder.Write("x.xml", "old");
    ASSERT_TRUE(SaveFile(path, "new"));
    EXPECT_EQ(test_support::ReadBytes(ToFsPath(path)), "new");
    EXPECT_FALSE(SaveFile(folder.Wide() + L"no-such-folder/x.xml", "data"));
}

}  // namespace
}  // namespace keyloom
