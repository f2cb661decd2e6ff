#include "tags/tag_editor_model.h"

#include "tags/genres.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/id3v2_write.h"
#include "text/number.h"
#include "text/text.h"

namespace tags {

namespace {

std::string FitV1(const std::string& s) {
  return s.substr(0, text::FitLength(s, kV1TextLength));
}

// The genre number of a combo item, -1 for none.
int ItemGenre(int item) {
  if (item < 0 || item >= kGenreCount) return -1;
  return GenreComboItems[static_cast<std::size_t>(item)];
}

}  // namespace

std::string GenreReference(int number) {
  std::string genre = "(";
  genre += text::DecimalText(number);
  genre += ')';
  genre += GenreName(number);
  return genre;
}

std::string V2GenreText(std::string_view genre) {
  int number = GenreNumberOf(genre);
  if (number < 0) return std::string(genre);
  return GenreReference(number);
}

void ReadTagsInto(platform::ByteStream& file, TagEditorModel& model) {
  TagRecord v1;
  model.V1On = ReadId3v1(file, v1);
  if (model.V1On) {
    model.V1 = v1;
    // The reader gives the genre byte in decimal digits; 255 and the like select nothing.
    int genre = text::TextToNumber(v1.Genre);
    model.V1GenreItem = GenreComboIndexOf(genre);
    model.V1OtherGenre = model.V1GenreItem < 0 ? genre : -1;
  }
  model.V2On = ReadId3v2(file, model.V2);
  if (model.V2On) model.V2GenreItem = -1;  // the file's text is shown, no item picked
  model.ChangedV1 = model.V1On;
  model.ChangedV2 = model.V2On;
  model.SeenGenreItem = {model.V1GenreItem, model.V2GenreItem};
}

bool OpenTagEditor(std::string_view path, TagEditorModel& model) {
  model.FilePath = std::string(path);
  model.ChangedV1 = model.ChangedV2 = false;
  platform::DiskFile file;
  if (!file.Open(path, platform::OpenMode::Read)) return false;
  ReadTagsInto(file, model);
  return true;
}

void CopyV1ToV2(TagEditorModel& model) {
  model.V2On = true;
  model.V2.Track = model.V1.Track;
  model.V2.Title = model.V1.Title;
  model.V2.Artist = model.V1.Artist;
  model.V2.Album = model.V1.Album;
  model.V2.Year = model.V1.Year;
  model.V2GenreItem = model.V1GenreItem;
  model.V2.Genre = std::string(GenreName(ItemGenre(model.V1GenreItem)));
  model.V2.Comment = model.V1.Comment;
  model.ChangedV2 = true;
}

void CopyV2ToV1(TagEditorModel& model) {
  model.V1On = true;
  model.V1.Track = model.V2.Track;
  model.V1.Title = FitV1(model.V2.Title);
  model.V1.Artist = FitV1(model.V2.Artist);
  model.V1.Album = FitV1(model.V2.Album);
  model.V1.Year = model.V2.Year;
  // The ID3v2 genre may be the file's own text rather than a picked item; a genre
  // named there (or given as "(n)") still finds its ID3v1 item.
  model.V1GenreItem = GenreComboIndexOf(GenreNumberOf(ResolveGenreText(model.V2.Genre)));
  model.V1OtherGenre = -1;
  model.V1.Comment = FitV1(model.V2.Comment);
  model.ChangedV1 = true;
}

TagRecord CollectV2Input(const TagEditorModel& model) {
  TagRecord record = model.V2;
  record.Genre = V2GenreText(model.V2.Genre);
  return record;
}

UpdateResult UpdateTags(platform::ByteStream& file, const TagEditorModel& model) {
  UpdateResult result;
  if (model.ChangedV1) {
    if (model.V1On) {
      const TagRecord& v1 = model.V1;
      result.V1 =
          WriteId3v1(file, v1.Title, v1.Artist, v1.Album, v1.Year, v1.Comment, v1.Track,
                     model.V1GenreItem >= 0 ? ItemGenre(model.V1GenreItem) : model.V1OtherGenre)
              ? TagUpdate::Written
              : TagUpdate::WriteFailed;
    } else {
      result.V1 = RemoveId3v1(file) ? TagUpdate::Removed : TagUpdate::RemoveFailed;
    }
  }
  if (model.ChangedV2) {
    if (model.V2On) {
      result.V2 =
          WriteId3v2(file, CollectV2Input(model)) ? TagUpdate::Written : TagUpdate::WriteFailed;
    } else {
      result.V2 = RemoveId3v2(file) ? TagUpdate::Removed : TagUpdate::RemoveFailed;
    }
  }
  return result;
}

UpdateResult UpdateTags(const TagEditorModel& model) {
  UpdateResult result;
  if (!model.ChangedV1 && !model.ChangedV2) return result;
  platform::DiskFile file;
  if (!file.Open(model.FilePath, platform::OpenMode::ReadWrite)) {
    // Without an open file nothing was written or removed; every change failed.
    result.OpenFailed = true;
    auto failure = [](bool on) { return on ? TagUpdate::WriteFailed : TagUpdate::RemoveFailed; };
    if (model.ChangedV1) result.V1 = failure(model.V1On);
    if (model.ChangedV2) result.V2 = failure(model.V2On);
    return result;
  }
  return UpdateTags(file, model);
}

}  // namespace tags
