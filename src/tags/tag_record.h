// The values of one file's tag: twelve texts (internal text), filled by the ID3v1
// and ID3v2 readers and consumed by the ID3v2 writer.
#pragma once

#include <string>

namespace tags {

// A reader writes only the fields it fills (ID3v1: the first seven; ID3v2: all
// twelve) and leaves the rest alone, so one record can be reused from file to file.
struct TagRecord {
  std::string Title;
  std::string Artist;
  std::string Album;
  std::string Track;
  std::string Year;
  std::string Genre;
  std::string Comment;
  std::string Composer;
  std::string OriginalArtist;
  std::string Rights;
  std::string Url;
  std::string Encoder;

  bool operator==(const TagRecord&) const = default;
};

}  // namespace tags
