#pragma once

// The compiled-in text tables: one constant array of {id, text} per language, sorted by id
// so a lookup is a binary search and nothing is built at start-up.

#include <cstddef>
#include <span>
#include <string_view>

namespace keyloom {

struct TextEntry {
    int id;
    std::wstring_view text;
};

// Ids strictly increasing: sorted for the binary search, and no id given twice.
constexpr bool IsStrictlySortedById(std::span<const TextEntry> table) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i - 1].id >= table[i].id) {
            return false;
        }
    }
    return true;
}

std::span<const TextEntry> EnglishTexts();
std::span<const TextEntry> ChineseTexts();
std::span<const TextEntry> FrenchTexts();
std::span<const TextEntry> RussianTexts();
std::span<const TextEntry> ThaiTexts();

}  // namespace keyloom
