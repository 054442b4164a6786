#include "music/music_settings.h"

namespace keyloom {

const std::array<MusicModeItem, 7> kVisualizerModeItems = {{
    {305, 13},  // Rainbow
    {306, 17},  // Color Wheel
    {307, 19},  // Spectrum Cycle
    {308, 2},   // Red
    {309, 4},   // Yellow
    {310, 7},   // Blue
    {311, 5},   // Green
}};

const std::array<MusicModeItem, 10> kBackgroundModeItems = {{
    {322, 0},   // None
    {324, 13},  // Rainbow
    {325, 17},  // Color Wheel
    {326, 19},  // Spectrum Cycle
    {327, 1},   // White
    {328, 2},   // Red
    {329, 3},   // Orange
    {330, 4},   // Yellow
    {331, 7},   // Blue
    {332, 5},   // Green
}};

int MusicAmplitudeMaximum(const IniFile& config) {
    return config.GetInt(L"TEXT", L"MUSIC_AMPLITUDE", 0);
}

bool EnsureMusicLayer(ConfigDatabase& database) {
    if (database.CountMusicLayers() > 0) {
        return true;
    }
    return database.AddMusicLayer(kDefaultMusicLayerName) > 0;
}

bool LoadMusicSettings(ConfigDatabase& database, Visualizer& visualizer, MusicPageValues& page) {
    page = MusicPageValues{};
    visualizer.PauseForSettings();

    MusicLayer layer;
    if (!database.GetMusicLayer(kMusicLayerId, layer)) {
        return false;
    }
    page.foreground_mode = layer.foremode;
    page.background_mode = layer.backmode;
    page.amplitude_position = layer.fore_amplitude / kAmplitudeStep;
    page.brightness_position = layer.backb_right;

    // The stored device index is kept in the row but never used: always the default device.
    visualizer.SetDeviceIndex(0);
    visualizer.ReopenCapture();
    visualizer.SetForegroundMode(layer.foremode);
    visualizer.SetBackgroundMode(layer.backmode);
    visualizer.SetGain(layer.fore_amplitude);
    visualizer.SetBackgroundBrightness(layer.backb_right);
    return true;
}

bool ChangeMusicSetting(ConfigDatabase& database, Visualizer& visualizer, MusicSetting setting,
                        int control_value) {
    visualizer.PauseForSettings();
    switch (setting) {
        case MusicSetting::kForegroundMode:
            visualizer.SetForegroundMode(control_value);
            break;
        case MusicSetting::kAmplitude:
            visualizer.SetGain(control_value * kAmplitudeStep);
            break;
        case MusicSetting::kBackgroundMode:
            visualizer.SetBackgroundMode(control_value);
            break;
        case MusicSetting::kBackgroundBrightness:
            visualizer.SetBackgroundBrightness(control_value);
            break;
    }
    visualizer.SetActive(true);

    MusicLayer layer;
    if (!database.GetMusicLayer(kMusicLayerId, layer)) {
        // Without the row there is nothing to update; the other fields are not invented.
        return false;
    }
    switch (setting) {
        case MusicSetting::kForegroundMode:
            layer.foremode = control_value;
            break;
        case MusicSetting::kAmplitude:
            layer.fore_amplitude = control_value * kAmplitudeStep;
            break;
        case MusicSetting::kBackgroundMode:
            layer.backmode = control_value;
            break;
        case MusicSetting::kBackgroundBrightness:
            layer.backb_right = control_value;
            break;
    }
    return database.UpdateMusicLayer(kMusicLayerId, layer);
}

}  // namespace keyloom
