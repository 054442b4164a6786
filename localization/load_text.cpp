#include "localization/load_text.h"

#include <algorithm>

#include "localization/languages.h"

namespace keyloom {

namespace {

// Ids from here on belong to no range of the tables.
constexpr int kFirstUnusedId = 700;

}  // namespace

std::wstring LoadText(int id) {
    return LoadText(id, CurrentLcid.load(std::memory_order_relaxed));
}

std::wstring LoadText(int id, int lcid) {
    const Language& language = LanguageFor(lcid);
    if (id < 0 || id >= kFirstUnusedId) {
        return std::wstring(language.name_text);
    }
    const std::span<const TextEntry> table = language.texts();
    const auto found =
        std::lower_bound(table.begin(), table.end(), id,
                         [](const TextEntry& entry, int wanted) { return entry.id < wanted; });
    if (found != table.end() && found->id == id) {
        return std::wstring(found->text);
    }
    return std::wstring(language.name_text);
}

}  // namespace keyloom
