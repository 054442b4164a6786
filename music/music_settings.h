#pragma once

// The music page's settings: the stored music layer row, loading it into the visualiser
// and the page's controls, and writing a changed control through to both.

#include <array>

#include "music/visualizer.h"
#include "platform/ini_file.h"
#include "store/config_database.h"

namespace keyloom {

inline constexpr int kMusicLayerId = 1;
inline constexpr wchar_t kDefaultMusicLayerName[] = L"音乐律动";
// The amplitude slider's progress times this is the gain.
inline constexpr int kAmplitudeStep = 20;
inline constexpr int kDefaultAmplitudePosition = 50;
inline constexpr int kDefaultBrightnessPosition = 10;
// The amplitude slider's position when the page is built, before the settings load.
inline constexpr int kAmplitudeFirstPosition = 60;
inline constexpr int kBrightnessMaximum = 100;

// One entry of a mode list on the music page: its text and the mode it selects.
struct MusicModeItem {
    int text_id;
    int mode;
};

extern const std::array<MusicModeItem, 7> kVisualizerModeItems;
extern const std::array<MusicModeItem, 10> kBackgroundModeItems;

// What the page's controls show after a load: the list items are named by their mode.
struct MusicPageValues {
    int foreground_mode = kVisualizerModeItems[0].mode;
    int background_mode = kBackgroundModeItems[0].mode;
    int amplitude_position = kDefaultAmplitudePosition;
    int brightness_position = kDefaultBrightnessPosition;
};

enum class MusicSetting { kForegroundMode, kAmplitude, kBackgroundMode, kBackgroundBrightness };

// The amplitude slider's maximum: "MUSIC_AMPLITUDE" of section "TEXT" of config.ini, 0 when
// the key is missing.
int MusicAmplitudeMaximum(const IniFile& config);

// Creates the default row when the table has none; false when it could not be created.
bool EnsureMusicLayer(ConfigDatabase& database);

// Pauses the visualiser, reads the music layer and, when it is found, hands its values to
// the visualiser (re-opening the capture on device 0) and to `page`. The visualiser stays
// inactive until the music page is entered. False when there is no row.
bool LoadMusicSettings(ConfigDatabase& database, Visualizer& visualizer, MusicPageValues& page);

// A control of the music page changed to `control_value` (a list item's mode or a slider's
// progress): hands the setting to the visualiser, reactivates it and stores the field.
// False when the row could not be read or written.
bool ChangeMusicSetting(ConfigDatabase& database, Visualizer& visualizer, MusicSetting setting,
                        int control_value);

}  // namespace keyloom
