#include "exchange/macro_file.h"

#include <gtest/gtest.h>

#include "platform/fs_path.h"
#include "tests/exchange/database_fixture.h"

namespace keyloom {
namespace {

class MacroFileTest : public test_support::DatabaseTest {};

TEST_F(MacroFileTest, ExportThenImportGivesASecondMacroWithStepsNumberedFromZero) {
    MacroInfo info;
    info.name = L"Combo 'A' & <B>";
    info.play_times = 3;
    info.delay_type = 2;
    info.delay_time = 40;
    info.link_count = 5;
    const int id = db_.InsertMacro(info);
    ASSERT_GT(id, 0);
    // Steps stored out of order and with gaps: the file follows record_index order.
    std::vector<MacroEvent> steps;
    for (int index : {30, 10, 20}) {
        MacroEvent step;
        step.macro_id = id;
        step.type = index == 20 ? 3 : 2;
        step.record_index = index;
        step.value = 0x04 + index;
        step.delay_time = index * 2;
        step.desc = L"step " + std::to_wstring(index);
        steps.push_back(step);
    }
    db_.AddMacroEvents(steps);

    const ExportOutcome exported = ExportMacro(db_, id, info.name, folder_.Wide(), 55);
    ASSERT_TRUE(exported.saved);
    EXPECT_NE(test_support::ReadBytes(ToFsPath(exported.path))
                  .find("<macroinfo name=\"Combo &apos;A&apos; &amp; &lt;B&gt;\" times=\"3\" "
                        "type=\"2\" delaytime=\"40\"/>"),
              std::string::npos);

    const ImportOutcome imported = ImportMacro(db_, exported.path);
    ASSERT_EQ(imported.error, XmlLoadError::kNone);
    ASSERT_GT(imported.id, id);
    EXPECT_EQ(imported.items_stored, 3);
    MacroInfo copy;
    ASSERT_TRUE(db_.GetMacro(imported.id, copy));
    EXPECT_EQ(copy.name, info.name);
    EXPECT_EQ(copy.play_times, 3);
    EXPECT_EQ(copy.delay_type, 2);
    EXPECT_EQ(copy.delay_time, 40);
    EXPECT_EQ(copy.link_count, 0);

    std::vector<MacroEvent> copied;
    ASSERT_EQ(db_.ListMacroEvents(imported.id, copied), 3);
    const int expected_values[] = {0x04 + 10, 0x04 + 20, 0x04 + 30};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(copied[i].record_index, i);
        EXPECT_EQ(copied[i].value, expected_values[i]);
        EXPECT_EQ(copied[i].macro_id, imported.id);
    }
    EXPECT_EQ(copied[1].type, 3);
    EXPECT_EQ(copied[1].desc, L"step 20");
    EXPECT_EQ(copied[1].delay_time, 40);
}

TEST_F(MacroFileTest, MissingAttributesReadAsZeroAndEmptyStepsRoundTrip) {
    const ImportOutcome imported = ImportMacro(
        db_, folder_.Write("m.xml",
                           "<macro><macroinfo name=\"Bare\" type=\"x\"/><macroitems/></macro>"));
    ASSERT_EQ(imported.error, XmlLoadError::kNone);
    MacroInfo info;
    ASSERT_TRUE(db_.GetMacro(imported.id, info));
    EXPECT_EQ(info.play_times, 0);
    EXPECT_EQ(info.delay_type, 0);
    EXPECT_EQ(imported.items_stored, 0);

    const ExportOutcome exported = ExportMacro(db_, imported.id, L"Bare", folder_.Wide(), 2);
    ASSERT_TRUE(exported.saved);
    EXPECT_NE(test_support::ReadBytes(ToFsPath(exported.path)).find("<macroitems/>"),
              std::string::npos);
}

TEST_F(MacroFileTest, BadFilesStoreNothing) {
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"junk.xml", "\x01\x02 not xml"},
        {"cut.xml", "<macro><macroinfo name=\"m\"/><macroitems><item type=\"2\""},
        {"profile.xml", "<profile/>"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(ImportMacro(db_, folder_.Write(c.name, c.bytes)).error, XmlLoadError::kNone)
            << c.name;
    }
    std::vector<MacroInfo> macros;
    EXPECT_EQ(db_.ListMacros(macros), 0);
}

}  // namespace
}  // namespace keyloom
