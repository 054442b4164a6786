#pragma once

// Shared pieces of the framework's headless tests: a fresh null backend per test, a
// dialog that records what its controls report, and a probe control that records what
// reaches it.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tessera/core/dialog.h"
#include "tessera/platform/null/null_platform.h"
#include "tessera/platform/platform.h"

namespace tessera_test {

using namespace Tessera;

class NullUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto platform = std::make_unique<NullPlatform>();
        platform_ = platform.get();
        UsePlatform(std::move(platform));
    }
    // The platform goes last, after the windows of the derived fixtures.
    ~NullUiTest() override { UsePlatform(nullptr); }
    NullPlatform& Platform() { return *platform_; }

private:
    NullPlatform* platform_ = nullptr;
};

struct Notification {
    unsigned id;
    unsigned code;
    unsigned wParam;
    long lParam;
    friend bool operator==(const Notification&, const Notification&) = default;
};

class RecordingDialog : public MDialog {
public:
    std::function<void(RecordingDialog&, CRect)> build;
    std::vector<Notification> notes;
    int initCount = 0;
    int sizeCount = 0;

    void InitUI(CRect client) override {
        ++initCount;
        if (build) {
            build(*this, client);
        }
    }
    void UISize(CRect) override { ++sizeCount; }
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
        notes.push_back({id, code, wParam, lParam});
        return 0;
    }
    // Creates the window at (100, 100) with the given client size and shows it.
    NativeWindow* Open(int cx, int cy, bool layered = false) {
        NativeWindow* w = Create(nullptr, L"test", WS_POPUP, layered ? WS_EX_LAYERED : 0,
                                 CRect(100, 100, 100 + cx, 100 + cy));
        if (w != nullptr) {
            if (layered) {
                SetLayeredWindow(1);
            }
            ShowWindow(SW_SHOW);
        }
        return w;
    }
};

// Records every handler call as text; fills its rect with `color` when drawn.
class Probe : public MControl {
public:
    Probe(unsigned id, CRect rect, int response = 1)
        : MControl(nullptr, id, rect, 1, 1, response) {}

    std::vector<std::string> calls;
    std::vector<CPoint> points;
    ARGB color = 0xFF808080;
    int draws = 0;
    int acceptScroll = 1;
    int handleKeys = 1;
    unsigned lastModifier = 99;

    void DrawControl(Canvas& dc, CRect) override {
        ++draws;
        dc.FillRect(rect_, color);
    }
    int OnControlMouseMove(unsigned, CPoint p) override { return Log("move", p); }
    int OnControlLButtonDown(unsigned, CPoint p) override { return Log("ldown", p); }
    int OnControlLButtonUp(unsigned, CPoint p) override { return Log("lup", p); }
    int OnControlLButtonDblClk(unsigned, CPoint p) override { return Log("ldbl", p); }
    int OnControlRButtonDown(unsigned, CPoint p) override { return Log("rdown", p); }
    int OnControlRButtonUp(unsigned, CPoint p) override { return Log("rup", p); }
    int OnControlScroll(int, unsigned dir, CPoint p) override {
        Log(dir ? "scroll-down" : "scroll-up", p);
        return acceptScroll;
    }
    int OnControlKeyDown(unsigned vk, unsigned, unsigned modifier) override {
        lastModifier = modifier;
        Log("key" + std::to_string(vk), {});
        return handleKeys;
    }
    int OnControlTimer() override {
        calls.push_back("timer");
        return 1;
    }
    // Calls other than moves, in order.
    std::vector<std::string> Clicks() const {
        std::vector<std::string> out;
        for (const auto& c : calls) {
            if (c != "move") {
                out.push_back(c);
            }
        }
        return out;
    }

private:
    int Log(const std::string& what, CPoint p) {
        calls.push_back(what);
        points.push_back(p);
        return 1;
    }
};

}  // namespace tessera_test
