#include "keys/key_actions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "platform/computer_actions.h"
#include "store/config_database.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

// Records what the program asked of the desktop; delayed tasks run when the test says so.
class RecordingActions : public ComputerActions {
public:
    bool OpenProgram(const std::wstring& path) override {
        calls.push_back(L"program " + path);
        return true;
    }
    bool OpenAddress(const std::wstring& address) override {
        calls.push_back(L"address " + address);
        return true;
    }
    std::optional<std::wstring> GetClipboardText() override { return clipboard; }
    bool SetClipboardText(const std::wstring& text) override {
        calls.push_back(L"clipboard " + text);
        clipboard = text;
        return true;
    }
    void ClearClipboard() override {
        calls.push_back(L"clear");
        clipboard.reset();
    }
    bool PressPasteKeys() override {
        calls.push_back(L"press");
        return true;
    }
    void ReleasePasteKeys() override { calls.push_back(L"release"); }
    void RunLater(int delay_ms, std::function<void()> task) override {
        delays.push_back(delay_ms);
        pending.push_back(std::move(task));
    }
    bool StartOnScreenKeyboard() override { return false; }

    void RunPending() {
        auto tasks = std::move(pending);
        pending.clear();
        for (auto& task : tasks) {
            task();
        }
    }

    std::vector<std::wstring> calls;
    std::optional<std::wstring> clipboard;
    std::vector<int> delays;
    std::vector<std::function<void()>> pending;
};

TEST(KeyActions, WebsiteAddressRules) {
    const struct {
        std::wstring text;
        std::optional<std::wstring> expected;
    } cases[] = {
        {L"example.com", L"http://www.example.com"},
        {L"www.example.com", L"http://www.example.com"},
        {L"shop.example.com/www.x", L"http://shop.example.com/www.x"},
        {L"https://example.com", L"https://example.com"},
        {L"HTTP://www.example.com/a?b=c", L"HTTP://www.example.com/a?b=c"},
        {L"localhost:8080/page", L"http://www.localhost:8080/page"},
        {L"file:///etc/passwd", std::nullopt},
        {L"javascript:alert(1)", std::nullopt},
        {L"ftp://example.com", std::nullopt},
        {L"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WebsiteAddress(c.text), c.expected) << WideToUtf8(c.text);
    }
}

TEST(KeyActions, SendTextPastesThenPutsThePreviousClipboardBack) {
    RecordingActions actions;
    actions.clipboard = L"what the user copied";
    EXPECT_EQ(SendText(actions, L"hello"), KeyActionOutcome::kDone);
    EXPECT_EQ(actions.clipboard, L"hello");  // still there while the window pastes
    EXPECT_EQ(actions.delays, (std::vector<int>{kPasteKeyHoldMs, kClipboardRestoreDelayMs}));
    actions.RunPending();
    EXPECT_EQ(actions.calls, (std::vector<std::wstring>{L"clipboard hello", L"press", L"release",
                                                        L"clipboard what the user copied"}));

    RecordingActions empty_before;
    SendText(empty_before, L"x");
    empty_before.RunPending();
    EXPECT_EQ(empty_before.calls.back(), L"clear");
    EXPECT_FALSE(empty_before.clipboard.has_value());
}

TEST(KeyActions, EmptyTextDoesNothing) {
    RecordingActions actions;
    actions.clipboard = L"kept";
    EXPECT_EQ(SendText(actions, L""), KeyActionOutcome::kNoAction);
    EXPECT_TRUE(actions.calls.empty());
    EXPECT_TRUE(actions.pending.empty());
}

class KeyActionRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("keyloom-actions-" + std::to_string(random()));
        std::filesystem::create_directories(folder_ / "db");
        ASSERT_TRUE(db_.OpenDatabase(Utf8ToWide(folder_.string() + "/"), L"kb_data"));
    }
    void TearDown() override {
        db_.Close();
        std::filesystem::remove_all(folder_);
    }

    std::filesystem::path folder_;
    ConfigDatabase db_;
    RecordingActions actions_;
};

TEST_F(KeyActionRowsTest, TheRowsKindDecides) {
    const int program = db_.AddKeyAction(L"editor", L"/usr/bin/editor", kKeyActionApplication);
    const int site = db_.AddKeyAction(L"example.com", L"", kKeyActionWebsite);
    const int text = db_.AddKeyAction(L"typed text", L"", kKeyActionSendText);
    const int bad_site = db_.AddKeyAction(L"file:///etc/shadow", L"", kKeyActionWebsite);
    const int other = db_.AddKeyAction(L"x", L"y", 7);

    EXPECT_EQ(CarryOutKeyAction(db_, actions_, program), KeyActionOutcome::kDone);
    EXPECT_EQ(CarryOutKeyAction(db_, actions_, site), KeyActionOutcome::kDone);
    EXPECT_EQ(CarryOutKeyAction(db_, actions_, text), KeyActionOutcome::kDone);
    EXPECT_EQ(CarryOutKeyAction(db_, actions_, bad_site), KeyActionOutcome::kRefused);
    EXPECT_EQ(CarryOutKeyAction(db_, actions_, other), KeyActionOutcome::kNoAction);
    EXPECT_EQ(CarryOutKeyAction(db_, actions_, 999), KeyActionOutcome::kNoAction);
    EXPECT_EQ(actions_.calls, (std::vector<std::wstring>{L"program /usr/bin/editor",
                                                         L"address http://www.example.com",
                                                         L"clipboard typed text", L"press"}));
}

}  // namespace
}  // namespace keyloom
