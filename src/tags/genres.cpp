#include "tags/genres.h"

#include "text/text.h"

namespace tags {

// clang-format off
const std::array<std::string_view, kGenreCount> GenreNames = {
    /*   0 */ "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    /*  10 */ "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    /*  20 */ "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk",
    /*  30 */ "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    /*  40 */ "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic",
    /*  50 */ "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",
    /*  60 */ "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes",
    /*  70 */ "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    /*  80 */ "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    /*  90 */ "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic",
    /* 100 */ "Humour", "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove",
    /* 110 */ "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle",
    /* 120 */ "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall",
};
// clang-format on

namespace {

constexpr std::array<std::int16_t, kGenreCount> kItems = {
    123, 74,  73,  34,  99,  20,  40,  26,  90,  116,  // 0-9
    41,  85,  96,  89,  0,   107, 65,  88,  104, 102,  // 10-19
    97,  61,  1,   32,  112, 57,  2,   58,  125, 3,    // 20-29
    50,  22,  4,   55,  122, 120, 98,  52,  48,  54,   // 30-39
    124, 25,  84,  80,  115, 81,  119, 5,   30,  36,   // 40-49
    59,  38,  91,  49,  6,   79,  7,   35,  100, 19,   // 50-59
    46,  47,  33,  8,   29,  63,  86,  71,  45,  9,    // 60-69
    77,  82,  64,  10,  66,  39,  11,  103, 12,  75,   // 70-79
    13,  62,  53,  109, 117, 23,  108, 92,  67,  93,   // 80-89
    121, 43,  14,  15,  68,  16,  76,  87,  118, 78,   // 90-99
    17,  114, 110, 69,  21,  111, 95,  105, 42,  37,   // 100-109
    24,  56,  44,  101, 83,  94,  106, 113, 18,  51,   // 110-119
    60,  70,  31,  72,  27,  28,                       // 120-125
};

// The inverse is derived from the item list, so the two can never disagree.
constexpr std::array<std::int16_t, kGenreCount> InvertItems() {
  std::array<std::int16_t, kGenreCount> index{};
  for (int item = 0; item < kGenreCount; ++item) {
    index[static_cast<std::size_t>(kItems[static_cast<std::size_t>(item)])] =
        static_cast<std::int16_t>(item);
  }
  return index;
}

}  // namespace

const std::array<std::int16_t, kGenreCount> GenreComboItems = kItems;
const std::array<std::int16_t, kGenreCount> GenreComboIndex = InvertItems();

int GenreComboIndexOf(int number) {
  if (number < 0 || number >= kGenreCount) return -1;
  return GenreComboIndex[static_cast<std::size_t>(number)];
}

std::string_view GenreName(int number) {
  if (number < 0 || number >= kGenreCount) return {};
  return GenreNames[static_cast<std::size_t>(number)];
}

int GenreNumberOf(std::string_view name) {
  for (int v = 0; v < kGenreCount; ++v) {
    if (text::EqualsIgnoringAsciiCase(GenreNames[static_cast<std::size_t>(v)], name)) return v;
  }
  return -1;
}

}  // namespace tags
