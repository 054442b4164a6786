#include "music/music_settings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/music/fake_audio_capture.h"

namespace keyloom {
namespace {

class MusicSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder =
            std::filesystem::temp_directory_path() / ("keyloom_music_" + std::to_string(stamp));
        std::filesystem::create_directories(folder / "db");
        ASSERT_TRUE(database.OpenDatabase(folder.wstring() + L"/", L"kb_data"));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    MusicLayer StoredLayer() {
        MusicLayer layer;
        EXPECT_TRUE(database.GetMusicLayer(kMusicLayerId, layer));
        return layer;
    }

    std::filesystem::path folder;
    ConfigDatabase database;
    music_test::FakeCaptureState state;
    std::unique_ptr<Visualizer> visualizer =
        std::make_unique<Visualizer>(std::make_unique<music_test::FakeAudioCapture>(state));
};

TEST_F(MusicSettingsTest, DefaultRowIsCreatedOnce) {
    ASSERT_TRUE(EnsureMusicLayer(database));
    ASSERT_TRUE(EnsureMusicLayer(database));
    EXPECT_EQ(database.CountMusicLayers(), 1);
    const MusicLayer layer = StoredLayer();
    EXPECT_EQ(layer.name, L"音乐律动");
    EXPECT_EQ(layer.foremode, 13);
    EXPECT_EQ(layer.fore_amplitude, 100);
    EXPECT_EQ(layer.backmode, 0);
    EXPECT_EQ(layer.backb_right, 10);
}

TEST_F(MusicSettingsTest, LoadHandsTheRowToVisualiserAndPage) {
    ASSERT_TRUE(EnsureMusicLayer(database));
    MusicLayer layer = StoredLayer();
    layer.deviceindex = 3;
    layer.backmode = 17;
    ASSERT_TRUE(database.UpdateMusicLayer(kMusicLayerId, layer));
    visualizer->SetActive(true);
    visualizer->SetDeviceIndex(2);

    MusicPageValues page;
    ASSERT_TRUE(LoadMusicSettings(database, *visualizer, page));
    EXPECT_EQ(page.amplitude_position, 5);  // fore_amplitude 100 / 20
    EXPECT_EQ(page.brightness_position, 10);
    EXPECT_EQ(page.foreground_mode, 13);
    EXPECT_EQ(page.background_mode, 17);
    EXPECT_EQ(visualizer->Gain(), 100);
    EXPECT_EQ(visualizer->ForegroundMode(), 13);
    EXPECT_EQ(visualizer->BackgroundMode(), 17);
    EXPECT_EQ(visualizer->BackgroundBrightness(), 10);
    EXPECT_EQ(visualizer->DeviceIndex(), 0);  // the stored index is never used
    EXPECT_FALSE(visualizer->IsActive());     // until the page is entered
    EXPECT_TRUE(state.open);                  // the capture was re-opened
}

TEST_F(MusicSettingsTest, LoadWithoutRowShowsTheFirstItems) {
    visualizer->SetGain(270);
    MusicPageValues page;
    page.amplitude_position = 99;
    EXPECT_FALSE(LoadMusicSettings(database, *visualizer, page));
    EXPECT_EQ(page.foreground_mode, 13);  // first visualiser item: Rainbow
    EXPECT_EQ(page.background_mode, 0);   // first background item: None
    EXPECT_EQ(page.amplitude_position, 50);
    EXPECT_EQ(page.brightness_position, 10);
    EXPECT_EQ(visualizer->Gain(), 270);
}

TEST_F(MusicSettingsTest, ChangesGoToVisualiserAndRow) {
    ASSERT_TRUE(EnsureMusicLayer(database));
    struct Case {
        MusicSetting setting;
        int control_value;
        int MusicLayer::*field;
        int stored;
        int (Visualizer::*read)() const;
        int applied;
    };
    const Case cases[] = {
        {MusicSetting::kForegroundMode, 17, &MusicLayer::foremode, 17, &Visualizer::ForegroundMode,
         17},
        {MusicSetting::kAmplitude, 5, &MusicLayer::fore_amplitude, 100, &Visualizer::Gain, 100},
        {MusicSetting::kAmplitude, 60, &MusicLayer::fore_amplitude, 1200, &Visualizer::Gain, 1200},
        {MusicSetting::kBackgroundMode, 7, &MusicLayer::backmode, 7, &Visualizer::BackgroundMode,
         7},
        {MusicSetting::kBackgroundBrightness, 64, &MusicLayer::backb_right, 64,
         &Visualizer::BackgroundBrightness, 64},
    };
    for (const Case& c : cases) {
        const MusicLayer before = StoredLayer();
        visualizer->SetActive(false);
        ASSERT_TRUE(ChangeMusicSetting(database, *visualizer, c.setting, c.control_value));
        MusicLayer after = StoredLayer();
        EXPECT_EQ(after.*c.field, c.stored);
        EXPECT_EQ(((*visualizer).*c.read)(), c.applied);
        EXPECT_TRUE(visualizer->IsActive());
        after.*c.field = before.*c.field;  // nothing else changed
        EXPECT_EQ(after.foremode, before.foremode);
        EXPECT_EQ(after.fore_amplitude, before.fore_amplitude);
        EXPECT_EQ(after.backmode, before.backmode);
        EXPECT_EQ(after.backb_right, before.backb_right);
        EXPECT_EQ(after.name, before.name);
    }
}

TEST(MusicAmplitude, SliderMaximumFromConfiguration) {
    EXPECT_EQ(MusicAmplitudeMaximum(IniFile::Parse("[TEXT]\nMUSIC_AMPLITUDE = 100\n")), 100);
    EXPECT_EQ(MusicAmplitudeMaximum(IniFile::Parse("[text]\nmusic_amplitude=75\n")), 75);
    EXPECT_EQ(MusicAmplitudeMaximum(IniFile::Parse("[TEXT]\nVERSION=1\n")), 0);
    EXPECT_EQ(MusicAmplitudeMaximum(IniFile::Load("/nonexistent/config.ini")), 0);
}

TEST_F(MusicSettingsTest, ChangeWithoutRowStillAppliesButReportsFailure) {
    EXPECT_FALSE(ChangeMusicSetting(database, *visualizer, MusicSetting::kAmplitude, 7));
    EXPECT_EQ(visualizer->Gain(), 140);
    EXPECT_EQ(database.CountMusicLayers(), 0);
}

}  // namespace
}  // namespace keyloom
