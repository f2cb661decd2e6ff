// The genre tables: genre number -> name, and the fixed item list of the tag
// editor's two genre combo boxes (sorted by name) with its inverse.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tags {

inline constexpr int kGenreCount = 126;

// Entry v is the name of genre number v (the ID3v1 list and the common extensions).
extern const std::array<std::string_view, kGenreCount> GenreNames;

// The genre numbers of the combo items 0 to 125, in item order; the item's text is
// GenreNames[number].
extern const std::array<std::int16_t, kGenreCount> GenreComboItems;

// Entry v is the combo item position of genre v: the inverse of GenreComboItems.
extern const std::array<std::int16_t, kGenreCount> GenreComboIndex;

// GenreComboIndex[number] for 0 to 125, otherwise -1 (no item selected).
int GenreComboIndexOf(int number);

// The name of a genre number, or the empty text outside 0 to 125.
std::string_view GenreName(int number);

// The number of the genre with this name (ASCII letters compared without regard to
// case), or -1 when no genre has it.
int GenreNumberOf(std::string_view name);

}  // namespace tags
