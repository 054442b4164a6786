#include "keys/key_actions.h"

#include <cwctype>

#include "platform/computer_actions.h"
#include "store/config_database.h"

namespace keyloom {
namespace {

std::wstring Lowered(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return text;
}

// The scheme of "scheme:rest", or nothing when the text does not start with one. "host:8080"
// is a host with a port, not a scheme.
std::optional<std::wstring> SchemeOf(const std::wstring& text) {
    size_t i = 0;
    if (text.empty() || !std::iswalpha(static_cast<wint_t>(text[0]))) {
        return std::nullopt;
    }
    while (i < text.size() && (std::iswalnum(static_cast<wint_t>(text[i])) || text[i] == L'+' ||
                               text[i] == L'-' || text[i] == L'.')) {
        ++i;
    }
    if (i >= text.size() || text[i] != L':') {
        return std::nullopt;
    }
    const bool has_slashes = text.compare(i + 1, 2, L"//") == 0;
    if (!has_slashes && i + 1 < text.size() && std::iswdigit(static_cast<wint_t>(text[i + 1]))) {
        return std::nullopt;
    }
    return Lowered(text.substr(0, i));
}

}  // namespace

std::optional<std::wstring> WebsiteAddress(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    if (const auto scheme = SchemeOf(text)) {
        if (*scheme == L"http" || *scheme == L"https") {
            return text;
        }
        return std::nullopt;
    }
    const std::wstring host = text.find(L"www.") == std::wstring::npos ? L"www." + text : text;
    return L"http://" + host;
}

KeyActionOutcome SendText(ComputerActions& actions, const std::wstring& text) {
    if (text.empty()) {
        return KeyActionOutcome::kNoAction;
    }
    std::optional<std::wstring> previous = actions.GetClipboardText();
    if (!actions.SetClipboardText(text)) {
        return KeyActionOutcome::kFailed;
    }
    const bool pressed = actions.PressPasteKeys();
    actions.RunLater(kPasteKeyHoldMs, [&actions] { actions.ReleasePasteKeys(); });
    actions.RunLater(kClipboardRestoreDelayMs, [&actions, previous = std::move(previous)] {
        if (previous) {
            actions.SetClipboardText(*previous);
        } else {
            actions.ClearClipboard();
        }
    });
    return pressed ? KeyActionOutcome::kDone : KeyActionOutcome::kFailed;
}

KeyActionOutcome CarryOutKeyAction(ConfigDatabase& database, ComputerActions& actions,
                                   int action_id) {
    std::wstring desc;
    std::wstring param;
    int type = 0;
    // The store answers true even without a row; the preset type 0 tells.
    database.GetKeyAction(action_id, desc, param, type);
    switch (type) {
        case kKeyActionApplication:
            if (param.empty()) {
                return KeyActionOutcome::kNoAction;
            }
            return actions.OpenProgram(param) ? KeyActionOutcome::kDone : KeyActionOutcome::kFailed;
        case kKeyActionWebsite: {
            const auto address = WebsiteAddress(desc);
            if (!address) {
                return desc.empty() ? KeyActionOutcome::kNoAction : KeyActionOutcome::kRefused;
            }
            return actions.OpenAddress(*address) ? KeyActionOutcome::kDone
                                                 : KeyActionOutcome::kFailed;
        }
        case kKeyActionSendText:
            return SendText(actions, desc);
        default:
            return KeyActionOutcome::kNoAction;
    }
}

}  // namespace keyloom
