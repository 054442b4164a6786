#include "exchange/profile_file.h"

#include <gtest/gtest.h>

#include "platform/fs_path.h"
#include "tests/exchange/database_fixture.h"

namespace keyloom {
namespace {

KeyAssignment Row(int profile, int layer, int key, int type, int value, std::wstring desc = L"") {
    KeyAssignment row;
    row.profile = profile;
    row.fn_layer = layer;
    row.key_code = key;
    row.macro_type = type;
    row.macro_value = value;
    row.macro_value2 = value + 1;
    row.macro_value3 = value + 2;
    row.macro_desc = std::move(desc);
    return row;
}

class ProfileFileTest : public test_support::DatabaseTest {
protected:
    std::vector<KeyAssignment> Rows(int profile, int layer) {
        std::vector<KeyAssignment> rows;
        db_.ListKeyAssignments(profile, layer, rows);
        return rows;
    }
};

TEST_F(ProfileFileTest, ExportThenImportGivesTheSameRowsUnderANewProfile) {
    ProfileInfo info;
    info.name = L"Tom & \"Jerry's\" <keys>";
    const int profile = db_.AddProfile(info);
    ASSERT_GT(profile, 0);
    db_.SaveKeyAssignment(Row(profile, 1, 0x3A, 6, 3, L"Volume +"));  // Fn layer saved first
    db_.SaveKeyAssignment(Row(profile, 0, 0x04, 2, 0x05, L"B"));
    db_.SaveKeyAssignment(Row(profile, 0, 0x29, 10, 7, L"héllo 世界"));

    const ExportOutcome exported = ExportProfile(db_, profile, info.name, folder_.Wide(), 987);
    ASSERT_TRUE(exported.saved);
    EXPECT_EQ(exported.path, folder_.Wide() + L"Tom & _Jerry's_ _keys_-987.xml");
    const std::string text = test_support::ReadBytes(ToFsPath(exported.path));
    // Standard layer first, attributes in their fixed order.
    EXPECT_LT(text.find("key_code=\"4\""), text.find("key_code=\"58\""));
    EXPECT_NE(text.find("<item fn_layer=\"0\" key_code=\"4\" layout_value=\"0\" layout_desc=\"\" "
                        "macro_type=\"2\" macro_value=\"5\" macro_value2=\"6\" macro_value3=\"7\" "
                        "macro_desc=\"B\"/>"),
              std::string::npos);

    // Into an empty database: the new profile takes the first id.
    test_support::TempFolder other;
    std::filesystem::create_directories(other.path() / "db");
    ConfigDatabase fresh;
    ASSERT_TRUE(fresh.OpenDatabase(other.Wide(), L"kb_data"));
    const ImportOutcome imported = ImportProfile(fresh, exported.path);
    ASSERT_EQ(imported.error, XmlLoadError::kNone);
    EXPECT_EQ(imported.name, info.name);
    EXPECT_EQ(imported.id, 1);
    EXPECT_EQ(fresh.GetCurrentProfile(), 0);  // not made current

    for (int layer : {0, 1}) {
        std::vector<KeyAssignment> before = Rows(profile, layer);
        std::vector<KeyAssignment> after;
        fresh.ListKeyAssignments(imported.id, layer, after);
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].profile, imported.id);
            EXPECT_EQ(after[i].key_code, before[i].key_code);
            EXPECT_EQ(after[i].macro_type, before[i].macro_type);
            EXPECT_EQ(after[i].macro_value, before[i].macro_value);
            EXPECT_EQ(after[i].macro_value2, before[i].macro_value2);
            EXPECT_EQ(after[i].macro_value3, before[i].macro_value3);
            EXPECT_EQ(after[i].macro_desc, before[i].macro_desc);
        }
    }
}

TEST_F(ProfileFileTest, ImportSkipsEmptyRowsAndKeepsTheLaterOfTwoRowsForAKey) {
    const std::wstring file =
        folder_.Write("p.xml",
                      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                      "<profile><profileinfo name=\"Imported\"/><keyitems>"
                      "<item fn_layer=\"0\" key_code=\"0\" macro_type=\"2\" macro_value=\"5\"/>"
                      "<item fn_layer=\"0\" key_code=\"4\" macro_type=\"2\" macro_value=\"0\"/>"
                      "<item fn_layer=\"0\" key_code=\"5\" macro_type=\"2\" macro_value=\"6\" "
                      "macro_desc=\"first\"/>"
                      "<item fn_layer=\"0\" key_code=\"5\" macro_type=\"2\" macro_value=\" +7x\" "
                      "macro_desc=\"later\"/>"
                      "<item fn_layer=\"1\" key_code=\"6\" macro_type=\"2\" macro_value=\"-2\"/>"
                      "<other key_code=\"9\" macro_value=\"9\"/>"
                      "</keyitems></profile>");
    const ImportOutcome imported = ImportProfile(db_, file);
    ASSERT_EQ(imported.error, XmlLoadError::kNone);
    EXPECT_EQ(imported.items_read, 5);
    const auto standard = Rows(imported.id, 0);
    ASSERT_EQ(standard.size(), 1u);
    EXPECT_EQ(standard[0].key_code, 5);
    EXPECT_EQ(standard[0].macro_value, 7);
    EXPECT_EQ(standard[0].macro_desc, L"later");
    const auto fn = Rows(imported.id, 1);
    ASSERT_EQ(fn.size(), 1u);
    EXPECT_EQ(fn[0].macro_value, -2);
}

TEST_F(ProfileFileTest, BadFilesStoreNothing) {
    std::string many = "<profile><profileinfo name=\"x\"/><keyitems>";
    for (size_t i = 0; i <= kMaxImportItems; ++i) {
        many += "<item key_code=\"4\" macro_value=\"1\"/>";
    }
    many += "</keyitems></profile>";
    const struct {
        const char* name;
        std::string bytes;
        XmlLoadError expected;
    } cases[] = {
        {"junk.xml", "junk", XmlLoadError::kNotXml},
        {"cut.xml", "<profile><profileinfo name=\"x\"/><keyitems><item key_code=\"4\" macro_v",
         XmlLoadError::kNotXml},
        {"macro.xml", "<macro><macroinfo name=\"m\"/></macro>", XmlLoadError::kWrongRoot},
        {"many.xml", many, XmlLoadError::kTooManyItems},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ImportProfile(db_, folder_.Write(c.name, c.bytes)).error, c.expected) << c.name;
    }
    std::vector<ProfileInfo> profiles;
    EXPECT_EQ(db_.ListProfiles(profiles), 0);
    EXPECT_EQ(ImportProfile(db_, folder_.Wide() + L"absent.xml").error, XmlLoadError::kFileMissing);
}

TEST_F(ProfileFileTest, AProfileWithoutKeyRowsRoundTrips) {
    const ImportOutcome bare =
        ImportProfile(db_, folder_.Write("bare.xml", "<profile><profileinfo/></profile>"));
    ASSERT_EQ(bare.error, XmlLoadError::kNone);
    EXPECT_GT(bare.id, 0);
    EXPECT_EQ(bare.name, L"");
    EXPECT_TRUE(Rows(bare.id, 0).empty());

    const ExportOutcome exported = ExportProfile(db_, bare.id, L"Empty", folder_.Wide(), 1);
    ASSERT_TRUE(exported.saved);
    EXPECT_NE(test_support::ReadBytes(ToFsPath(exported.path)).find("<keyitems/>"),
              std::string::npos);
}

}  // namespace
}  // namespace keyloom
