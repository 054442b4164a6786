#include "localization/load_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "localization/languages.h"
#include "localization/text_table.h"
#include "tests/localization/current_lcid_guard.h"

namespace keyloom {
namespace {

struct LookupCase {
    int lcid;
    int id;
    const wchar_t* expected;
};

TEST(LoadTextTest, KnownTextsAndFallbacks) {
    const LookupCase cases[] = {
        // Every known language has its own table.
        {2052, 2, L"请连接设备!"},
        {1033, 2, L"Please connect the device!"},
        {1036, 2, L"Veuillez connecter le clavier!"},
        {1049, 2, L"Пожалуйста, подключите клавиатуру!"},
        {1054, 2, L"กรุณาเชื่อมต่ออุปกรณ์!"},
        {1036, 110, L"Profil"},
        {1049, 110, L"Профиль"},
        {1054, 110, L"รูปแบบการกำหนดค่า"},
        {1036, 55, L"Mode RGB"},
        {1049, 55, L"Режим подсветки"},
        {1054, 55, L"โหมดแสงสว่าง"},
        {1036, 370, L"Reset"},
        {1049, 370, L"Восстановить заводские настройки"},
        {1054, 370, L"คืนค่าโรงงาน"},
        {1036, 505, L"Langue"},
        {1049, 505, L"Язык"},
        {1054, 505, L"ภาษา"},
        {2052, 22, L"清空"},
        {2052, 232, L"宏录制空间不足，无法进行宏录制"},
        // First and last rows of the tables, where a binary search slips first.
        {1033, 510, L"The current software version is already up to date"},
        {2052, 510, L"已经升级到最新的版本, 无需升级!"},
        // Ids the English table once lacked now have English texts.
        {1033, 22, L"Clear"},
        {1033, 23, L"Insert"},
        {1033, 232, L"Not enough macro memory left to record a macro"},
        // Languages the program does not know read the English table.
        {1031, 5, L"Close"},
        {0, 5, L"Close"},
        {-1, 5, L"Close"},
        {1031, 22, L"Clear"},
        // Outside every range, negative and unlisted ids: the language name text.
        {1033, 700, L"ENG"},
        {1033, 5000, L"ENG"},
        {1033, -1, L"ENG"},
        {1033, INT_MIN, L"ENG"},
        {1033, INT_MAX, L"ENG"},
        {1033, 0, L"ENG"},
        {1033, 1, L"ENG"},
        {1033, 699, L"ENG"},
        {2052, 700, L"中文"},
        {2052, -1, L"中文"},
        {2052, 4, L"中文"},
        {1036, 5000, L"French"},
        {1049, 700, L"Russian"},
        {1054, -1, L"Thai"},
        {1031, 700, L"ENG"},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(LoadText(c.id, c.lcid), c.expected) << "lcid " << c.lcid << ", id " << c.id;
    }
}

TEST(LoadTextTest, MacroLoopTextsAreTranslated) {
    // 260 to 264 name the macro loop options: no language may show its bare name or the
    // English text there.
    for (const Language& language : Languages()) {
        for (int id = 260; id <= 264; ++id) {
            const std::wstring text = LoadText(id, language.lcid);
            EXPECT_NE(text, language.name_text) << "lcid " << language.lcid << ", id " << id;
            if (language.lcid != 1033) {
                EXPECT_NE(text, LoadText(id, 1033)) << "lcid " << language.lcid << ", id " << id;
            }
        }
    }
    EXPECT_EQ(LoadText(261, 1036), L"Exécuter une fois");
}

TEST(LoadTextTest, FollowsCurrentLcid) {
    const CurrentLcidGuard guard;
    // The interface starts in Chinese until start-up reads the setting.
    EXPECT_EQ(CurrentLcid.load(), 2052);
    EXPECT_EQ(LoadText(505), L"语言");

    CurrentLcid.store(1049);
    EXPECT_EQ(LoadText(505), L"Язык");
    EXPECT_EQ(LoadText(5000), L"Russian");

    CurrentLcid.store(1031);
    EXPECT_EQ(LoadText(505), L"Language");
    EXPECT_EQ(LoadText(-1), L"ENG");
}

// Every language holds exactly the ids of the English table, each with a real text: a hole
// would show the bare language name to the user.
TEST(TextTableTest, EveryLanguageHasEveryTextFilledIn) {
    std::set<int> english_ids;
    for (const TextEntry& entry : EnglishTexts()) {
        english_ids.insert(entry.id);
    }
    ASSERT_EQ(english_ids.size(), 145U);

    for (const Language& language : Languages()) {
        std::set<int> ids;
        for (const TextEntry& entry : language.texts()) {
            ids.insert(entry.id);
            EXPECT_GE(entry.id, 0);
            EXPECT_LT(entry.id, 700);
            EXPECT_FALSE(entry.text.empty()) << "lcid " << language.lcid << ", id " << entry.id;
            EXPECT_NE(entry.text, language.name_text)
                << "lcid " << language.lcid << ", id " << entry.id;
            EXPECT_EQ(LoadText(entry.id, language.lcid), entry.text)
                << "lcid " << language.lcid << ", id " << entry.id << " is not found";
        }
        EXPECT_EQ(ids, english_ids) << "lcid " << language.lcid;
    }
}

// A row copied from the wrong table shows in the wrong script.
TEST(TextTableTest, EveryTextIsWrittenInItsLanguagesScript) {
    struct ScriptCase {
        int lcid;
        wchar_t first;
        wchar_t last;
    };
    const ScriptCase cases[] = {
        {2052, L'\x4E00', L'\x9FFF'},  // CJK ideographs
        {1049, L'\x0400', L'\x04FF'},  // Cyrillic
        {1054, L'\x0E00', L'\x0E7F'},  // Thai
    };
    for (const ScriptCase& c : cases) {
        for (const TextEntry& entry : LanguageFor(c.lcid).texts()) {
            bool has_script = false;
            for (const wchar_t ch : entry.text) {
                has_script = has_script || (ch >= c.first && ch <= c.last);
            }
            EXPECT_TRUE(has_script) << "lcid " << c.lcid << ", id " << entry.id;
        }
    }
}

TEST(TextTableTest, LanguagesAndTheirNames) {
    struct NameCase {
        int lcid;
        const wchar_t* list_name;
        const wchar_t* name_text;
    };
    const NameCase cases[] = {
        {2052, L"简体中文", L"中文"},        {1033, L"English", L"ENG"},
        {1049, L"Русский язык", L"Russian"}, {1036, L"Français", L"French"},
        {1054, L"ภาษาไทย(Thai)", L"Thai"},
    };
    ASSERT_EQ(Languages().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Language& language = Languages()[i];
        EXPECT_EQ(language.lcid, cases[i].lcid);
        EXPECT_EQ(language.list_name, cases[i].list_name);
        EXPECT_EQ(language.name_text, cases[i].name_text);
        EXPECT_EQ(&LanguageFor(cases[i].lcid), &language);
    }
    EXPECT_EQ(LanguageFor(1031).lcid, 1033);
}

// Texts are looked up from the worker and listener threads while the settings dialog may
// switch the language; every result must be a whole text of one of the two languages.
TEST(LoadTextTest, ReadersSeeWholeTextsWhileTheLanguageChanges) {
    const CurrentLcidGuard guard;
    const std::wstring english = LoadText(180, 1033);
    const std::wstring thai = LoadText(180, 1054);
    CurrentLcid.store(1033);
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    std::atomic<int> bad{0};
    constexpr int kReaders = 3;
    std::vector<std::thread> readers;
    readers.reserve(kReaders);
    for (int r = 0; r < kReaders; ++r) {
        readers.emplace_back([&] {
            while (!stop.load()) {
                const std::wstring text = LoadText(180);
                if (text != english && text != thai) {
                    bad.fetch_add(1);
                }
                reads.fetch_add(1);
            }
        });
    }
    for (int i = 0; reads.load() < 20000; ++i) {
        CurrentLcid.store(i % 2 == 0 ? 1054 : 1033);
        std::this_thread::yield();
    }
    stop.store(true);
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(bad.load(), 0);
}

}  // namespace
}  // namespace keyloom
