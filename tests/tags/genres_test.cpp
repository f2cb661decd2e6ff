#include "tags/genres.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace tags;

TEST(GenreTableTest, ComboIndexOfKnownGenres) {
  EXPECT_EQ(GenreComboIndexOf(0), 14);
  EXPECT_EQ(GenreComboIndexOf(123), 0);
  EXPECT_EQ(GenreComboIndexOf(28), 125);
  EXPECT_EQ(GenreComboIndexOf(74), 1);
}

TEST(GenreTableTest, ComboIndexOfOutOfRangeIsNone) {
  for (int n : {126, 127, 255, -1, 1000, -32768}) EXPECT_EQ(GenreComboIndexOf(n), -1) << n;
}

TEST(GenreTableTest, EveryItemValueAndTextAgree) {
  std::set<int> positions;
  for (int v = 0; v < kGenreCount; ++v) {
    int item = GenreComboIndexOf(v);
    ASSERT_GE(item, 0);
    ASSERT_LT(item, kGenreCount);
    positions.insert(item);
    EXPECT_EQ(GenreComboItems[static_cast<std::size_t>(item)], v);
    EXPECT_EQ(GenreName(GenreComboItems[static_cast<std::size_t>(item)]),
              GenreNames[static_cast<std::size_t>(v)]);
  }
  EXPECT_EQ(positions.size(), static_cast<std::size_t>(kGenreCount));  // every item once
}

TEST(GenreTableTest, ItemsAreInTheFixedOrder) {
  EXPECT_EQ(GenreNames[GenreComboItems[0]], "A capella");
  EXPECT_EQ(GenreNames[GenreComboItems[14]], "Blues");
  EXPECT_EQ(GenreNames[GenreComboItems[125]], "Vocal");
  // The list's own quirks: "Dance Hall" before "Dance", "Acid" after "Acid Punk",
  // "Jazz" before "Jazz+Funk", "Pop/Funk" before "Pop-Folk".
  auto itemOf = [](std::string_view name) { return GenreComboIndexOf(GenreNumberOf(name)); };
  EXPECT_LT(itemOf("Dance Hall"), itemOf("Dance"));
  EXPECT_GT(itemOf("Acid"), itemOf("Acid Punk"));
  EXPECT_LT(itemOf("Jazz"), itemOf("Jazz+Funk"));
  EXPECT_LT(itemOf("Pop/Funk"), itemOf("Pop-Folk"));
}

TEST(GenreTableTest, NamesAreSpelledAsTheListHasThem) {
  EXPECT_EQ(GenreNames[67], "Psychadelic");
  EXPECT_EQ(GenreNames[93], "Psychedelic Rock");
  EXPECT_EQ(GenreNames[40], "AlternRock");
  EXPECT_EQ(GenreNames[29], "Jazz+Funk");
  EXPECT_EQ(GenreNames[62], "Pop/Funk");
  EXPECT_EQ(GenreNames[85], "Bebob");
  EXPECT_EQ(GenreNames[90], "Avantgarde");
  EXPECT_EQ(GenreNames[100], "Humour");
  EXPECT_EQ(GenreNames[123], "A capella");
  EXPECT_EQ(GenreNames[0], "Blues");
  EXPECT_EQ(GenreNames[17], "Rock");
  EXPECT_EQ(GenreNames[125], "Dance Hall");
}

TEST(GenreTableTest, NameLookup) {
  EXPECT_EQ(GenreNumberOf("Rock"), 17);
  EXPECT_EQ(GenreNumberOf("rock"), 17);
  EXPECT_EQ(GenreNumberOf("Rock & Roll"), 78);
  EXPECT_EQ(GenreNumberOf("Rockabilly"), -1);
  EXPECT_EQ(GenreNumberOf(""), -1);
  EXPECT_EQ(GenreName(126), "");
  EXPECT_EQ(GenreName(-1), "");
}

}  // namespace
