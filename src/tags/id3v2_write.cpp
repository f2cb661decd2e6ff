#include "tags/id3v2_write.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "tags/file_edit.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "text/text.h"

namespace tags {

namespace {

struct ImageFrame {
  const char* Id;
  std::uint8_t StatusFlags;  // first flag byte
  std::string_view Content;  // the fixed start of the content
};

// The image's frames in their order. TENC alone carries the flag byte 40.
constexpr std::array<ImageFrame, 12> kImageFrames = {{
    {"TRCK", 0x00, std::string_view("\0", 1)},
    {"TENC", 0x40, std::string_view("\0", 1)},
    {"WXXX", 0x00, std::string_view("\0\0", 2)},
    {"TCOP", 0x00, std::string_view("\0", 1)},
    {"TOPE", 0x00, std::string_view("\0", 1)},
    {"TCOM", 0x00, std::string_view("\0", 1)},
    {"COMM", 0x00, std::string_view("\0CHS\0", 5)},
    {"TCON", 0x00, std::string_view("\0", 1)},
    {"TYER", 0x00, std::string_view("\0", 1)},
    {"TALB", 0x00, std::string_view("\0", 1)},
    {"TPE1", 0x00, std::string_view("\0", 1)},
    {"TIT2", 0x00, std::string_view("\0", 1)},
}};

// The fixed start of a frame's content in the image: encoding byte (and language and
// the empty description's end), by the identifier's first letter.
std::size_t ContentPrefix(std::string_view id) {
  if (id[0] == 'T') return 1;
  if (id[0] == 'W') return 2;
  return 5;
}

// Offset just after the image's last frame (where its padding begins).
std::size_t FramesEnd(std::string_view image) {
  std::size_t pos = kId3v2HeaderSize;
  while (pos + 10 <= image.size() && image[pos] != '\0') {
    pos += 10 + ReadBigEndian(image.data() + pos + 4, 4);
  }
  return pos;
}

std::string V23Frame(std::string_view id, std::uint16_t flags, std::string_view content) {
  std::string frame(10, '\0');
  std::memcpy(frame.data(), id.data(), 4);
  PutBigEndian32(frame.data() + 4, static_cast<std::uint32_t>(content.size()));
  frame[8] = static_cast<char>(flags >> 8);
  frame[9] = static_cast<char>(flags & 0xFF);
  frame.append(content);
  return frame;
}

// ---- Frames of an older tag, carried into the new one

// ID3v2.2 identifiers and their ID3v2.3 counterparts; frames not listed are dropped.
constexpr std::array<std::pair<std::string_view, std::string_view>, 60> kV22Ids = {{
    {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"ETC", "ETCO"},
    {"EQU", "EQUA"}, {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"MCI", "MCDI"}, {"MLL", "MLLT"},
    {"PIC", "APIC"}, {"POP", "POPM"}, {"REV", "RVRB"}, {"RVA", "RVAD"}, {"SLT", "SYLT"},
    {"STC", "SYTC"}, {"TAL", "TALB"}, {"TBP", "TBPM"}, {"TCM", "TCOM"}, {"TCO", "TCON"},
    {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"}, {"TEN", "TENC"}, {"TFT", "TFLT"},
    {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"}, {"TMT", "TMED"},
    {"TOA", "TOPE"}, {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"},
    {"TP1", "TPE1"}, {"TP2", "TPE2"}, {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"},
    {"TPB", "TPUB"}, {"TRC", "TSRC"}, {"TRD", "TRDA"}, {"TRK", "TRCK"}, {"TSI", "TSIZ"},
    {"TSS", "TSSE"}, {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"}, {"TXT", "TEXT"},
    {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"}, {"ULT", "USLT"}, {"WAF", "WOAF"},
    {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"}, {"WPB", "WPUB"},
}};

std::string_view V23IdOf(std::string_view v22) {
  for (const auto& [from, to] : kV22Ids) {
    if (from == v22) return to;
  }
  return {};
}

// Re-encodes UTF-16BE (2) and UTF-8 (3) strings, which ID3v2.3 lacks, as UTF-16 with
// a byte-order mark (1). layout, one letter per part of the content after the
// encoding byte: 'e' an encoded string and its terminator, 'l' a Latin-1 string and
// its terminator, a digit that many fixed bytes, 'r' the rest as it is, 's' the rest
// as encoded strings. Nothing when the bytes are not valid in their encoding.
std::optional<std::string> Reencode(std::string_view data, std::string_view layout) {
  int encoding = static_cast<unsigned char>(data[0]);
  std::string out(1, '\x01');
  std::string_view rest = data.substr(1);
  auto encodedString = [&]() -> bool {
    std::string_view after;
    std::string_view one = SplitString(encoding, rest, &after);
    bool terminated = one.size() != rest.size();
    if (!one.empty()) {
      auto converted = ToUtf16WithBom(encoding, one);
      if (!converted) return false;
      out += *converted;
    }
    if (terminated) out.append(2, '\0');
    rest = terminated ? after : std::string_view();
    return true;
  };
  for (char part : layout) {
    if (part == 'e') {
      if (!encodedString()) return std::nullopt;
    } else if (part == 's') {
      while (!rest.empty()) {
        if (!encodedString()) return std::nullopt;
      }
    } else if (part == 'l') {
      std::size_t end = rest.find('\0');
      std::size_t n = end == std::string_view::npos ? rest.size() : end + 1;
      out.append(rest.substr(0, n));
      rest.remove_prefix(n);
    } else if (part >= '0' && part <= '9') {
      std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(part - '0'), rest.size());
      out.append(rest.substr(0, n));
      rest.remove_prefix(n);
    } else {  // 'r'
      out.append(rest);
      rest = {};
    }
  }
  return out;
}

std::string ReencodeForV23(std::string_view id, std::string data) {
  if (data.empty()) return data;
  int encoding = static_cast<unsigned char>(data[0]);
  if (encoding != 2 && encoding != 3) return data;
  std::string_view layout;
  if (id[0] == 'T') {
    layout = "s";
  } else if (id == "COMM" || id == "USLT") {
    layout = "3es";
  } else if (id == "USER") {
    layout = "3s";
  } else if (id == "WXXX") {
    layout = "er";
  } else if (id == "APIC") {
    layout = "l1er";
  } else if (id == "GEOB") {
    layout = "leer";
  } else {
    return data;
  }
  auto converted = Reencode(data, layout);
  return converted ? *converted : data;
}

// ID3v2.2 PIC: image format (three letters) where APIC has a MIME type.
std::string PicToApic(std::string_view data) {
  if (data.size() < 4) return std::string(data);
  std::string format = text::ToUpperAscii(data.substr(1, 3));
  std::string mime = format == "JPG"   ? "image/jpeg"
                     : format == "PNG" ? "image/png"
                     : format == "-->" ? "-->"
                                       : "image/" + text::ToLowerAscii(format);
  std::string out(1, data[0]);
  out += mime;
  out += '\0';
  out.append(data.substr(4));
  return out;
}

// One frame of the old tag in ID3v2.3 framing, or nothing when it cannot be carried.
std::optional<std::string> CarryFrame(TagSource& source, const Id3v2Header& header,
                                      const FrameInfo& frame) {
  auto raw = ReadRawContent(source, frame);
  if (!raw) return std::nullopt;
  if (header.Version == 3) return V23Frame(frame.Id, frame.Flags, *raw);
  if (header.Version == 2) {
    std::string_view id = V23IdOf(frame.Id);
    if (id.empty()) return std::nullopt;
    std::string data = id == "APIC" ? PicToApic(*raw) : std::move(*raw);
    return V23Frame(id, 0, ReencodeForV23(id, std::move(data)));
  }
  // ID3v2.4: the extra bytes come in another order, sizes are syncsafe, unsynchronisation
  // is per frame, and the status flags mean other things; only the format survives.
  const unsigned format = frame.Flags & 0xFF;
  const bool grouped = format & 0x40, compressed = format & 0x08, encrypted = format & 0x04,
             hasLength = format & 0x01;
  std::string_view rest = *raw;
  std::string extra;
  char group = 0, method = 0;
  std::uint32_t dataLength = 0;
  if (grouped) {
    if (rest.empty()) return std::nullopt;
    group = rest[0], rest.remove_prefix(1);
  }
  if (encrypted) {
    if (rest.empty()) return std::nullopt;
    method = rest[0], rest.remove_prefix(1);
  }
  if (hasLength) {
    if (rest.size() < 4) return std::nullopt;
    dataLength = DecodeSyncsafe(reinterpret_cast<const unsigned char*>(rest.data()));
    rest.remove_prefix(4);
  }
  if (compressed && !hasLength) return std::nullopt;  // ID3v2.3 needs the size
  std::string data((format & 0x02) != 0 || header.Unsynchronised() ? RemoveUnsynchronisation(rest)
                                                                   : std::string(rest));
  if (!compressed && !encrypted) data = ReencodeForV23(frame.Id, std::move(data));
  std::uint16_t flags = 0;
  std::string content;
  if (compressed) {
    flags |= 0x80;
    content.resize(4);
    PutBigEndian32(content.data(), dataLength);
  }
  if (encrypted) flags |= 0x40, content += method;
  if (grouped) flags |= 0x20, content += group;
  content += data;
  return V23Frame(frame.Id, flags, content);
}

bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The date and time of a TDRC text (yyyy-MM-ddTHH:mm...) as the ID3v2.3 frames TDAT
// (DDMM) and TIME (HHMM), for a tag that lacks them; TYER takes the year.
void CarryRecordingTime(std::string_view time, bool haveTdat, bool haveTime, std::string& carried) {
  if (!haveTdat && time.size() >= 10 && time[4] == '-' && time[7] == '-' &&
      IsDigits(time.substr(5, 2)) && IsDigits(time.substr(8, 2))) {
    std::string tdat(1, '\0');
    tdat.append(time.substr(8, 2)).append(time.substr(5, 2));
    carried += V23Frame("TDAT", 0, tdat);
  }
  if (!haveTime && time.size() >= 16 && time[10] == 'T' && time[13] == ':' &&
      IsDigits(time.substr(11, 2)) && IsDigits(time.substr(14, 2))) {
    std::string tim(1, '\0');
    tim.append(time.substr(11, 2)).append(time.substr(14, 2));
    carried += V23Frame("TIME", 0, tim);
  }
}

// Whether a COMM (or WXXX) frame is keyed like the one the writer puts in (language
// CHS, empty description), so that keeping it would leave two frames with one key.
bool CollidesWithWritten(int slot, std::string_view data) {
  if (data.empty()) return false;
  int encoding = static_cast<unsigned char>(data[0]);
  if (slot == kCommentSlot) {
    if (data.size() < 4 || data.substr(1, 3) != "CHS") return false;
    return SplitString(encoding, data.substr(4), nullptr).empty();
  }
  std::string_view description = SplitString(encoding, data.substr(1), nullptr);
  return description.empty() || description == "\xFF\xFE" || description == "\xFE\xFF";
}

// Every frame of the old tag that the new one keeps, in order, as ID3v2.3 frames.
std::string CarriedFrames(std::string_view oldTag) {
  auto header = ParseId3v2Header(oldTag);
  if (!header) return {};
  TagSource source = MemoryTagSource(oldTag, *header);
  std::string carried;
  std::array<bool, 12> taken{};
  bool haveTdat = false, haveTime = false;
  std::optional<std::string> recordingTime;
  WalkFrames(source, *header, [&](const FrameInfo& frame) {
    std::string_view id23 = header->Version == 2 ? V23IdOf(frame.Id) : std::string_view(frame.Id);
    haveTdat = haveTdat || id23 == "TDAT";
    haveTime = haveTime || id23 == "TIME";
    return true;
  });
  WalkFrames(source, *header, [&](const FrameInfo& frame) {
    int slot = FieldFrameSlot(frame.Id, header->Version);
    if (slot >= 0) {
      auto data = ReadFrameData(source, *header, frame);
      if (slot != kCommentSlot && slot != kUrlSlot) return true;  // one of a kind: replaced
      if (data && !taken[static_cast<std::size_t>(slot)]) {
        taken[static_cast<std::size_t>(slot)] = true;  // the one the reader showed
        return true;
      }
      if (data && CollidesWithWritten(slot, *data)) return true;
    } else if (frame.Id == "TDRC") {
      // TYER holds the year now; ID3v2.3 readers take a TDRC over it.
      if (auto data = ReadFrameData(source, *header, frame); data && !recordingTime) {
        recordingTime = DecodeFrameText(frame.Id, *data);
        CarryRecordingTime(*recordingTime, haveTdat, haveTime, carried);
      }
      return true;
    }
    if (auto frameBytes = CarryFrame(source, *header, frame)) carried += *frameBytes;
    return true;
  });
  return carried;
}

}  // namespace

std::string NewTagImage() {
  std::string image(kTagImageSize, '\0');
  std::memcpy(image.data(), "ID3\x03\x00\x00", 6);
  auto size = EncodeSyncsafe(kTagImageSize - kId3v2HeaderSize);
  std::memcpy(image.data() + 6, size.data(), 4);
  std::size_t pos = kId3v2HeaderSize;
  for (const ImageFrame& frame : kImageFrames) {
    std::string bytes =
        V23Frame(frame.Id, static_cast<std::uint16_t>(frame.StatusFlags << 8), frame.Content);
    std::memcpy(image.data() + pos, bytes.data(), bytes.size());
    pos += bytes.size();
  }
  return image;
}

bool PatchFrameText(std::string& image, std::string_view id, std::string_view text) {
  if (id.size() != 4) return false;
  std::size_t end = FramesEnd(image);
  for (std::size_t pos = kId3v2HeaderSize; pos + 10 <= end;) {
    std::size_t length = ReadBigEndian(image.data() + pos + 4, 4);
    if (length > image.size() - pos - 10) return false;
    if (std::string_view(image).substr(pos, 4) == id) {
      std::size_t prefix = ContentPrefix(id);
      if (length < prefix) return false;
      image.replace(pos + 10 + prefix, length - prefix, text);
      PutBigEndian32(image.data() + pos + 4, static_cast<std::uint32_t>(prefix + text.size()));
      return true;
    }
    pos += 10 + length;
  }
  return false;
}

std::string BuildId3v2Tag(const TagRecord& record, std::string_view oldTag) {
  std::string tag = NewTagImage();
  const std::pair<const char*, const std::string*> patches[] = {
      {"TIT2", &record.Title},          {"TPE1", &record.Artist}, {"TALB", &record.Album},
      {"TRCK", &record.Track},          {"TYER", &record.Year},   {"TCON", &record.Genre},
      {"COMM", &record.Comment},        {"TCOP", &record.Rights}, {"TCOM", &record.Composer},
      {"TOPE", &record.OriginalArtist}, {"WXXX", &record.Url},    {"TENC", &record.Encoder},
  };
  for (const auto& [id, value] : patches) PatchFrameText(tag, id, *value);
  tag.insert(FramesEnd(tag), CarriedFrames(oldTag));
  std::int64_t size = static_cast<std::int64_t>(tag.size()) - kId3v2HeaderSize;
  if (size > kMaxSyncsafe) return {};
  auto sizeBytes = EncodeSyncsafe(static_cast<std::uint32_t>(size));
  std::memcpy(tag.data() + 6, sizeBytes.data(), 4);
  return tag;
}

std::int64_t Id3v2TagExtent(platform::ByteStream& file) {
  auto header = ReadId3v2Header(file);
  std::int64_t size = file.Size();
  if (!header || size < 0) return 0;
  std::int64_t extent = header->Length();
  char footer[3];
  if (header->HasFooter() && file.ReadExactly(extent, footer, 3) &&
      std::memcmp(footer, "3DI", 3) == 0) {
    extent += 10;
  }
  extent = std::min(extent, size);
  // A size that runs into the ID3v1 block must not take the block with it.
  Id3v1Block block;
  if (extent > size - kId3v1Size && LoadId3v1Block(file, block)) {
    extent = std::max<std::int64_t>(size - kId3v1Size, 0);
  }
  return extent;
}

bool WriteId3v2(platform::ByteStream& file, const TagRecord& record) {
  if (file.Size() < 0) return false;
  std::int64_t extent = Id3v2TagExtent(file);
  std::string oldTag(static_cast<std::size_t>(extent), '\0');
  if (extent > 0 && !file.ReadExactly(0, oldTag.data(), oldTag.size())) return false;
  std::string tag = BuildId3v2Tag(record, oldTag);
  if (tag.empty()) return false;
  return ReplaceFileBytes(file, 0, extent, tag);
}

bool RemoveId3v2(platform::ByteStream& file) {
  std::int64_t extent = Id3v2TagExtent(file);
  return extent == 0 || DeleteFileBytes(file, 0, extent);
}

}  // namespace tags
