#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "store/config_database.h"
#include "tests/store/store_fixture.h"

namespace keyloom::store_test {
namespace {

constexpr int kRounds = 150;

// The UI thread and the worker share one database. Each operation must stay whole: an id
// handed back must be the id of the row that operation inserted, even while the other thread
// is inserting into other tables (the default settings included).
TEST_F(StoreTest, TwoThreadsKeepEveryOperationWhole) {
    int ui_mismatches = 0;
    int worker_mismatches = 0;

    std::thread ui([&] {
        for (int i = 0; i < kRounds; ++i) {
            const std::wstring name = L"macro " + std::to_wstring(i);
            const int macro = db_.AddMacro(name);
            MacroInfo read;
            if (macro <= 0 || !db_.GetMacro(macro, read) || read.name != name) {
                ++ui_mismatches;
            }
            KeyAssignment a;
            a.profile = 1;
            a.key_code = 4 + i % 50;
            a.macro_type = 3;
            a.macro_value = macro;
            const int key_id = db_.SaveKeyAssignment(a);
            KeyAssignment stored;
            if (key_id <= 0 || !db_.GetKeyAssignment(1, 0, a.key_code, stored) ||
                stored.key_id != key_id) {
                ++ui_mismatches;
            }
            db_.AddMacroEvents({{.macro_id = macro, .record_index = 0, .desc = L"down"},
                                {.macro_id = macro, .record_index = 1, .desc = L"up"}});
        }
    });
    std::thread worker([&] {
        for (int i = 0; i < kRounds; ++i) {
            db_.InsertDefaultConfig();
            const std::wstring text = L"text " + std::to_wstring(i);
            const int action = db_.AddKeyAction(text, L"", 10);
            std::wstring desc;
            std::wstring param;
            int type = 0;
            if (action <= 0 || !db_.GetKeyAction(action, desc, param, type) || desc != text) {
                ++worker_mismatches;
            }
            std::vector<KeyColour> colours(20, KeyColour{.profile = 1, .light_id = i});
            if (db_.AddKeyColours(colours) != 20) {
                ++worker_mismatches;
            }
            std::vector<KeyColour> read;
            if (db_.ListKeyColours(i, read) != 20) {
                ++worker_mismatches;
            }
        }
    });
    ui.join();
    worker.join();

    EXPECT_EQ(ui_mismatches, 0);
    EXPECT_EQ(worker_mismatches, 0);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_macro_data"), kRounds);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_key_otherdata"), kRounds);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_config_data"), 9 * kRounds);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_key_light_data"), 20 * kRounds);
    EXPECT_EQ(db_.CountAllMacroEvents(), 2 * kRounds);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_key_macro_data"), 50);
}

}  // namespace
}  // namespace keyloom::store_test
