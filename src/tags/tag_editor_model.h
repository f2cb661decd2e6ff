// The tag editor's state as a plain record, and the editor's work that needs no
// window: filling the record from a file, copying between the versions, updating.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/file.h"
#include "tags/tag_record.h"

namespace tags {

// Longest text of an ID3v1 title, artist, album or comment.
inline constexpr std::size_t kV1TextLength = 30;

struct TagEditorModel {
  std::string FilePath;
  bool V1On = false;
  bool V2On = false;
  // ID3v1 values: Title, Artist, Album, Year, Track and Comment; the genre is V1GenreItem.
  TagRecord V1;
  // ID3v2 values: all twelve, Genre being the text of the genre box.
  TagRecord V2;
  // Genre combo items (positions in GenreComboItems), -1 for none. Picking an item
  // puts its name into the ID3v2 genre text, so that text alone says what to write.
  int V1GenreItem = -1;
  int V2GenreItem = -1;
  // An ID3v1 genre byte the list has no item for (Winamp's later genres, say): written
  // back while no item is chosen, so an update does not lose it. -1 for none.
  int V1OtherGenre = -1;
  // Which versions the update writes or removes; they belong to one opening.
  bool ChangedV1 = false;
  bool ChangedV2 = false;
  // The genre items last seen in each group, so that re-picking one is no change.
  std::array<int, 2> SeenGenreItem = {-1, -1};
};

// The TCON text for a genre text: a genre's name (ASCII case ignored) becomes
// "(n)Name", the way a picked genre is stored; any other text is kept as it is.
std::string V2GenreText(std::string_view genre);
// "(n)Name" for a genre number from 0 to 125.
std::string GenreReference(int number);

// The path, change flags and tag values of one opening. A version without a tag
// keeps the values the model came with (the boxes' starting texts). A version that
// was found counts as changed: its update rewrites what the window shows, and
// unticking it removes the tag. False when the file cannot be opened for reading.
bool OpenTagEditor(std::string_view path, TagEditorModel& model);
// The same on a file the caller has opened.
void ReadTagsInto(platform::ByteStream& file, TagEditorModel& model);

// Ticks the target version and copies the shared fields into it; both are changes
// of the target. ID3v2 to ID3v1 cuts title, artist, album and comment to 30 bytes
// between whole characters; track and year go whole.
void CopyV1ToV2(TagEditorModel& model);
void CopyV2ToV1(TagEditorModel& model);

// The record the ID3v2 update writes: the twelve ID3v2 values with the genre text
// through V2GenreText.
TagRecord CollectV2Input(const TagEditorModel& model);

enum class TagUpdate { Untouched, Written, WriteFailed, Removed, RemoveFailed };

struct UpdateResult {
  bool OpenFailed = false;  // then each changed version carries its failure
  TagUpdate V1 = TagUpdate::Untouched;
  TagUpdate V2 = TagUpdate::Untouched;
};

// Writes or removes each changed version (ID3v1 first), as its tick says; an
// unchanged version is left alone. Opens the file only when there is work to do.
UpdateResult UpdateTags(const TagEditorModel& model);
UpdateResult UpdateTags(platform::ByteStream& file, const TagEditorModel& model);

}  // namespace tags
