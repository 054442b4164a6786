#include "protocol/keyboard_jobs.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "protocol/command_frame.h"
#include "protocol/macro_area.h"
#include "protocol/piece_plan.h"
#include "protocol/settings_frame.h"

namespace keyloom {

namespace {

// The data commands of the read-out and of the table writes address the first entry.
constexpr int kDataKeyboardIndex = 0;
constexpr int kFirstMapPieceGapMs = 8;
constexpr int kFactoryRestoreMs = 2500;
// The second key map's buffer is larger than the map: the last piece's response carries
// 16 bytes past its end.
constexpr std::size_t kSecondMapBufferSize = 866;
// The custom lighting mode's colours are stored under this light id.
constexpr int kCustomLightMode = 0;

std::vector<MacroSteps> FetchMacros(ConfigDatabase& database) {
    std::vector<MacroInfo> macros;
    database.ListMacros(macros);
    std::vector<MacroSteps> steps;
    steps.reserve(macros.size());
    for (const MacroInfo& macro : macros) {
        MacroSteps entry;
        entry.macro_id = macro.macro_id;
        database.ListMacroEvents(macro.macro_id, entry.events);
        std::stable_sort(entry.events.begin(), entry.events.end(),
                         [](const MacroEvent& a, const MacroEvent& b) {
                             return a.record_index < b.record_index;
                         });
        steps.push_back(std::move(entry));
    }
    return steps;
}

// One piece of `table`; a piece carries up to 56 bytes of it whatever its length says (the
// macro area's last piece may say less than it carries).
Frame MakeTablePiece(std::uint8_t command, const TransferPiece& piece,
                     std::span<const std::uint8_t> table) {
    const auto data = table.subspan(piece.offset);
    return MakePieceFrame(command, piece.offset, piece.length,
                          data.first(std::min(data.size(), kPieceSize)));
}

bool AnyKeyLit(const ColourMap& payload) {
    for (std::size_t at = 0; at + 2 < payload.size(); at += 3) {
        const int value = payload[at] | (payload[at + 1] << 8) | (payload[at + 2] << 16);
        if (value > 1) {
            return true;
        }
    }
    return false;
}

bool HasStoredAssignment(const std::vector<KeyAssignment>& stored, int key_code) {
    return std::any_of(stored.begin(), stored.end(),
                       [key_code](const KeyAssignment& a) { return a.key_code == key_code; });
}

}  // namespace

// Sends the frames of one job and keeps its tally.
class KeyboardJobs::Sequence {
public:
    Sequence(CDeviceManager& devices, JobResult& result) : devices_(devices), result_(result) {}

    bool Command(Frame& frame, int keyboard_index) {
        return Count(devices_.SendCommand(frame, keyboard_index));
    }
    bool Read(Frame& frame, int keyboard_index) {
        return Count(devices_.ReadCommand(frame, keyboard_index));
    }
    bool Stream(Frame& frame, int keyboard_index) {
        return Count(devices_.SendStream(frame, keyboard_index));
    }
    bool Command(std::uint8_t command, int keyboard_index) {
        Frame frame = MakeCommandFrame(command);
        return Command(frame, keyboard_index);
    }
    // Sends every piece of a table with the checked exchange.
    void WriteTable(std::uint8_t command, const std::vector<TransferPiece>& pieces,
                    std::span<const std::uint8_t> table) {
        for (const TransferPiece& piece : pieces) {
            Frame frame = MakeTablePiece(command, piece, table);
            Command(frame, kDataKeyboardIndex);
        }
    }

private:
    bool Count(bool acknowledged) {
        ++result_.exchanges;
        if (!acknowledged) {
            ++result_.failed;
        }
        return acknowledged;
    }

    CDeviceManager& devices_;
    JobResult& result_;
};

KeyboardJobs::KeyboardJobs(CDeviceManager& devices, ConfigDatabase& database, Clock& clock)
    : devices_(devices), database_(database), clock_(clock) {}

void KeyboardJobs::Pause(int milliseconds) {
    clock_.SleepFor(std::chrono::milliseconds(milliseconds));
}

bool KeyboardJobs::ReadMap(Sequence& sequence, std::uint8_t command, std::span<std::uint8_t> target,
                           int pause_ms) {
    bool whole = true;
    for (const TransferPiece& piece : PlanPieces(kKeyMapSize)) {
        Frame frame = MakePieceFrame(command, piece.offset, piece.length);
        whole = sequence.Read(frame, kDataKeyboardIndex) && whole;
        if (pause_ms > 0) {
            Pause(pause_ms);
        }
        const auto data = ResponseData(frame);
        std::copy(data.begin(), data.end(), target.begin() + piece.offset);
    }
    return whole;
}

ReadOutResult KeyboardJobs::ReadKeyboard(const JobContext& context) {
    ReadOutResult result;
    Sequence sequence(devices_, result);
    sequence.Command(command::kBegin, context.keyboard_index);

    key_map_copy_.fill(0);
    key_map_held_ = ReadMap(sequence, command::kReadKeyMap, key_map_copy_, kFirstMapPieceGapMs);
    if (!key_map_held_) {
        // A partly read map must not become the base of a key map write: the next write
        // reads it again.
        key_map_copy_.fill(0);
    }
    std::array<std::uint8_t, kSecondMapBufferSize> second{};
    const bool second_whole = ReadMap(sequence, command::kReadSecondKeyMap, second, 0);

    // Comparing maps that did not arrive whole would wipe assignments the keyboard holds.
    if (key_map_held_ && second_whole) {
        result.reconciled = true;
        const auto stale = FindStaleAssignments(
            std::span<const std::uint8_t, kKeyMapSize>(key_map_copy_.data(), kKeyMapSize),
            std::span<const std::uint8_t, kKeyMapSize>(second.data(), kKeyMapSize));
        std::array<std::vector<KeyAssignment>, 2> stored;
        database_.ListKeyAssignments(context.current_profile, 0, stored[0]);
        database_.ListKeyAssignments(context.current_profile, 1, stored[1]);
        for (const StaleAssignment& key : stale) {
            if (!HasStoredAssignment(stored[static_cast<std::size_t>(key.fn_layer)],
                                     key.key_code)) {
                continue;
            }
            KeyAssignment none;
            none.profile = context.current_profile;
            none.fn_layer = key.fn_layer;
            none.key_code = key.key_code;
            database_.SaveKeyAssignment(none);
            ++result.assignments_deleted;
        }
    }

    sequence.Command(command::kEnd, context.keyboard_index);
    return result;
}

JobResult KeyboardJobs::WriteKeyMap(const JobContext& context) {
    JobResult result;
    Sequence sequence(devices_, result);
    sequence.Command(command::kBegin, context.keyboard_index);

    if (!key_map_held_) {
        key_map_copy_.fill(0);
        key_map_held_ = ReadMap(sequence, command::kReadKeyMap, key_map_copy_, 0);
        if (!key_map_held_) {
            // Without the keyboard's own map the slots of unassigned keys would be
            // overwritten with zeros. The store keeps the change for the next write.
            key_map_copy_.fill(0);
            result.abandoned = true;
            sequence.Command(command::kEnd, context.keyboard_index);
            return result;
        }
    }

    std::array<std::vector<KeyAssignment>, 2> layers;
    database_.ListKeyAssignments(context.current_profile, 0, layers[0]);
    database_.ListKeyAssignments(context.current_profile, 1, layers[1]);
    std::vector<MacroInfo> macros;
    database_.ListMacros(macros);
    const KeyMap map =
        BuildKeyMap(std::span<const std::uint8_t, kKeyMapSize>(key_map_copy_.data(), kKeyMapSize),
                    layers[0], layers[1], MacroAreaOrder(macros));

    sequence.WriteTable(command::kWriteKeyMap, PlanPieces(kKeyMapSize), map);
    sequence.Command(command::kEnd, context.keyboard_index);
    return result;
}

JobResult KeyboardJobs::WriteMacros(const JobContext& context) {
    JobResult result;
    Sequence sequence(devices_, result);
    sequence.Command(command::kBegin, context.keyboard_index);

    const std::vector<MacroSteps> macros = FetchMacros(database_);
    const MacroArea area = BuildMacroArea(macros);
    sequence.WriteTable(command::kWriteMacroArea, PlanMacroPieces(area.used_length, kMacroAreaSize),
                        area.bytes);
    sequence.Command(command::kEnd, context.keyboard_index);
    return result;
}

JobResult KeyboardJobs::WriteSettings(const JobContext& context) {
    JobResult result;
    Sequence sequence(devices_, result);
    LightSetting light;
    if (!database_.GetLightSetting(context.current_light_mode, light)) {
        light = LightSetting{};
    }
    sequence.Command(command::kBegin, context.keyboard_index);

    Frame settings = MakePieceFrame(command::kReadSettings, 0, kSettingsReadLength);
    if (sequence.Read(settings, context.keyboard_index)) {
        std::wstring win;
        std::wstring alttab;
        std::wstring altf4;
        database_.GetConfigValue(L"disable_win", win);
        database_.GetConfigValue(L"disable_alttab", alttab);
        database_.GetConfigValue(L"disable_altf4", altf4);
        Frame write = MakeSettingsWriteFrame(settings, light, GameFlagByte(win, alttab, altf4));
        sequence.Command(write, context.keyboard_index);
    } else {
        // The buffer holds our own request or a stale answer, not the keyboard's
        // settings: writing it back would overwrite the bytes we do not own.
        result.abandoned = true;
    }
    sequence.Command(command::kEnd, context.keyboard_index);
    return result;
}

JobResult KeyboardJobs::WriteKeyColours(const JobContext& context) {
    JobResult result;
    Sequence sequence(devices_, result);
    sequence.Command(command::kBegin, context.keyboard_index);

    std::vector<KeyColour> colours;
    database_.ListKeyColours(kCustomLightMode, colours);
    const ColourMap map = BuildColourMap(colours);
    sequence.WriteTable(command::kWriteColourMap, PlanPieces(kColourMapSize), map);
    sequence.Command(command::kEnd, context.keyboard_index);
    return result;
}

JobResult KeyboardJobs::FactoryReset(const JobContext& context,
                                     const std::function<void()>& reload) {
    JobResult result;
    Sequence sequence(devices_, result);
    sequence.Command(command::kFactoryReset, context.keyboard_index);
    // The keyboard's map changes under the copy.
    key_map_held_ = false;
    Pause(kFactoryRestoreMs);
    if (reload) {
        reload();
    } else {
        const ReadOutResult read = ReadKeyboard(context);
        result.exchanges += read.exchanges;
        result.failed += read.failed;
    }
    return result;
}

JobResult KeyboardJobs::StreamColourFrame(const JobContext& context, const ColourMap& payload) {
    JobResult result;
    if (!AnyKeyLit(payload)) {
        return result;
    }
    Sequence sequence(devices_, result);
    Frame begin = MakeCommandFrame(command::kBegin);
    sequence.Stream(begin, context.keyboard_index);
    for (const TransferPiece& piece : PlanPieces(kColourMapSize)) {
        Frame frame = MakeTablePiece(command::kShowColourFrame, piece, payload);
        if (!sequence.Stream(frame, kDataKeyboardIndex)) {
            result.abandoned = true;
            return result;
        }
    }
    Frame end = MakeCommandFrame(command::kEnd);
    sequence.Stream(end, context.keyboard_index);
    return result;
}

}  // namespace keyloom
