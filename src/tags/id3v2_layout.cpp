#include "tags/id3v2_layout.h"

#include <algorithm>
#include <cstring>

#include "text/encoding.h"

namespace tags {

namespace {

constexpr std::size_t kWindowSize = 8192;

unsigned char Byte(std::string_view s, std::size_t i) {
  return static_cast<unsigned char>(s[i]);
}

bool IsIdChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

// ---- Header and sizes

std::optional<Id3v2Header> ParseId3v2Header(std::string_view bytes) {
  if (bytes.size() < kId3v2HeaderSize || bytes.substr(0, 3) != "ID3") return std::nullopt;
  for (std::size_t i = 3; i < 6; ++i) {
    if (Byte(bytes, i) == 0xFF) return std::nullopt;
  }
  for (std::size_t i = 6; i < 10; ++i) {
    if (Byte(bytes, i) >= 0x80) return std::nullopt;
  }
  Id3v2Header header;
  header.Version = Byte(bytes, 3);
  header.Revision = Byte(bytes, 4);
  header.Flags = Byte(bytes, 5);
  header.Size = DecodeSyncsafe(reinterpret_cast<const unsigned char*>(bytes.data() + 6));
  return header;
}

std::uint32_t DecodeSyncsafe(const unsigned char b[4]) {
  return (std::uint32_t{b[0] & 0x7Fu} << 21) | (std::uint32_t{b[1] & 0x7Fu} << 14) |
         (std::uint32_t{b[2] & 0x7Fu} << 7) | (b[3] & 0x7Fu);
}

std::int64_t DecodeTagSize(const unsigned char size[4]) {
  return std::int64_t{DecodeSyncsafe(size)} + kId3v2HeaderSize;
}

std::array<unsigned char, 4> EncodeSyncsafe(std::uint32_t n) {
  return {static_cast<unsigned char>((n >> 21) & 0x7F),
          static_cast<unsigned char>((n >> 14) & 0x7F), static_cast<unsigned char>((n >> 7) & 0x7F),
          static_cast<unsigned char>(n & 0x7F)};
}

std::uint32_t ReadBigEndian(const char* bytes, int count) {
  std::uint32_t n = 0;
  for (int i = 0; i < count; ++i) n = (n << 8) | static_cast<unsigned char>(bytes[i]);
  return n;
}

void PutBigEndian32(char* out, std::uint32_t n) {
  for (int i = 3; i >= 0; --i, n >>= 8) out[i] = static_cast<char>(n & 0xFF);
}

std::string RemoveUnsynchronisation(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += bytes[i];
    if (Byte(bytes, i) == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
  }
  return out;
}

// ---- TagSource

TagSource::TagSource(std::string bytes)
    : length_(static_cast<std::int64_t>(bytes.size())), window_(std::move(bytes)) {}

TagSource::TagSource(platform::ByteStream& file, std::int64_t length, std::string prefix)
    : file_(&file), length_(length), window_(std::move(prefix)) {
  if (static_cast<std::int64_t>(window_.size()) > length_) {
    window_.resize(static_cast<std::size_t>(length_));
  }
}

bool TagSource::Read(std::int64_t offset, std::size_t count, std::string& out) {
  if (offset < 0 || offset > length_ || static_cast<std::int64_t>(count) > length_ - offset) {
    return false;
  }
  auto inWindow = [&] {
    return offset >= windowAt_ && offset - windowAt_ + static_cast<std::int64_t>(count) <=
                                      static_cast<std::int64_t>(window_.size());
  };
  if (!inWindow()) {
    if (!file_) return false;
    if (count > kWindowSize) {
      out.resize(count);
      return file_->ReadExactly(offset, out.data(), count);
    }
    std::size_t n = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(kWindowSize), length_ - offset));
    std::string next(n, '\0');
    if (!file_->ReadExactly(offset, next.data(), n)) return false;
    window_ = std::move(next);
    windowAt_ = offset;
  }
  out.assign(window_, static_cast<std::size_t>(offset - windowAt_), count);
  return true;
}

namespace {

// ID3v2.2 and 2.3 unsynchronise the whole tag after the header; 2.4 does it per frame.
bool WholeTagUnsynchronised(const Id3v2Header& header) {
  return header.Version <= 3 && header.Unsynchronised();
}

TagSource UndoWholeTagUnsync(std::string bytes, const Id3v2Header& header) {
  if (!WholeTagUnsynchronised(header) || bytes.size() <= kId3v2HeaderSize) {
    return TagSource(std::move(bytes));
  }
  std::string out = bytes.substr(0, kId3v2HeaderSize);
  out += RemoveUnsynchronisation(std::string_view(bytes).substr(kId3v2HeaderSize));
  return TagSource(std::move(out));
}

}  // namespace

std::optional<TagSource> OpenTagSource(platform::ByteStream& file, const Id3v2Header& header,
                                       std::string prefix, bool wholeTag) {
  std::int64_t size = file.Size();
  if (size < 0) return std::nullopt;
  std::int64_t length = std::min(header.Length(), size);
  if (!wholeTag && !WholeTagUnsynchronised(header)) {
    return TagSource(file, length, std::move(prefix));
  }
  std::string bytes = std::move(prefix);
  if (static_cast<std::int64_t>(bytes.size()) >= length) {
    bytes.resize(static_cast<std::size_t>(length));
  } else {
    std::size_t have = bytes.size();
    bytes.resize(static_cast<std::size_t>(length));
    std::int64_t got =
        file.ReadAt(static_cast<std::int64_t>(have), bytes.data() + have, bytes.size() - have);
    if (got < 0) return std::nullopt;
    bytes.resize(have + static_cast<std::size_t>(got));
  }
  return UndoWholeTagUnsync(std::move(bytes), header);
}

TagSource MemoryTagSource(std::string_view tag, const Id3v2Header& header) {
  std::size_t length = static_cast<std::size_t>(
      std::min<std::int64_t>(header.Length(), static_cast<std::int64_t>(tag.size())));
  return UndoWholeTagUnsync(std::string(tag.substr(0, length)), header);
}

// ---- The frame walk

namespace {

struct WalkResult {
  bool Clean = true;  // ended at padding or at the end, not at an invalid header
};

WalkResult Walk(TagSource& tag, const Id3v2Header& header, std::int64_t start, bool syncsafeSizes,
                const std::function<bool(const FrameInfo&)>* visit) {
  const int headerSize = header.Version == 2 ? 6 : 10;
  const int idLength = header.Version == 2 ? 3 : 4;
  const std::int64_t end = tag.Length();
  std::int64_t pos = start;
  std::string bytes;
  for (int count = 0; count < kMaxFrames && end - pos >= headerSize; ++count) {
    if (!tag.Read(pos, static_cast<std::size_t>(headerSize), bytes)) return {false};
    if (bytes[0] == '\0') return {true};  // padding
    if (!std::all_of(bytes.begin(), bytes.begin() + idLength, IsIdChar)) return {false};
    std::int64_t size;
    std::uint16_t flags = 0;
    if (header.Version == 2) {
      size = ReadBigEndian(bytes.data() + 3, 3);
    } else {
      const char* s = bytes.data() + 4;
      bool highBits = std::any_of(s, s + 4, [](char c) { return (c & 0x80) != 0; });
      size = syncsafeSizes && !highBits ? DecodeSyncsafe(reinterpret_cast<const unsigned char*>(s))
                                        : ReadBigEndian(s, 4);
      flags = static_cast<std::uint16_t>(ReadBigEndian(bytes.data() + 8, 2));
    }
    if (size > end - pos - headerSize) return {false};
    if (visit) {
      FrameInfo frame{bytes.substr(0, static_cast<std::size_t>(idLength)), flags, pos,
                      pos + headerSize, size};
      if (!(*visit)(frame)) return {true};
    }
    pos += headerSize + size;
  }
  return {true};
}

// Where the frames start: after the header and an extended header. -1 when the
// extended header does not fit.
std::int64_t FramesStart(TagSource& tag, const Id3v2Header& header) {
  std::int64_t pos = kId3v2HeaderSize;
  if (!header.HasExtendedHeader()) return pos;
  std::string bytes;
  if (!tag.Read(pos, 4, bytes)) return -1;
  std::int64_t extSize =
      header.Version == 3
          ? 4 + std::int64_t{ReadBigEndian(bytes.data(), 4)}
          : std::int64_t{DecodeSyncsafe(reinterpret_cast<const unsigned char*>(bytes.data()))};
  if (extSize < 6 || extSize > tag.Length() - pos) return -1;
  return pos + extSize;
}

}  // namespace

void WalkFrames(TagSource& tag, const Id3v2Header& header,
                const std::function<bool(const FrameInfo&)>& visit) {
  if (header.Version < 2 || header.Version > 4) return;
  if (header.Version == 2 && (header.Flags & 0x40) != 0) return;  // compressed 2.2 tag
  std::int64_t start = FramesStart(tag, header);
  if (start < 0) return;
  bool syncsafe = header.Version == 4;
  if (syncsafe) {
    // Some writers put plain sizes into ID3v2.4 tags; take them when the syncsafe
    // reading runs into garbage and the plain one does not.
    if (!Walk(tag, header, start, true, nullptr).Clean &&
        Walk(tag, header, start, false, nullptr).Clean) {
      syncsafe = false;
    }
  }
  Walk(tag, header, start, syncsafe, &visit);
}

std::optional<std::string> ReadRawContent(TagSource& tag, const FrameInfo& frame) {
  std::string content;
  if (!tag.Read(frame.ContentOffset, static_cast<std::size_t>(frame.ContentSize), content)) {
    return std::nullopt;
  }
  return content;
}

std::optional<std::string> ReadFrameData(TagSource& tag, const Id3v2Header& header,
                                         const FrameInfo& frame) {
  auto raw = ReadRawContent(tag, frame);
  if (!raw) return std::nullopt;
  const unsigned format = frame.Flags & 0xFF;
  if (header.Version == 3) {
    if ((format & 0xC0) != 0) return std::nullopt;  // compressed or encrypted
    if ((format & 0x20) != 0) raw->erase(0, 1);     // group identifier
    return raw;
  }
  if (header.Version == 4) {
    if ((format & 0x0C) != 0) return std::nullopt;  // compressed or encrypted
    std::size_t skip = ((format & 0x40) != 0 ? 1 : 0) + ((format & 0x01) != 0 ? 4 : 0);
    raw->erase(0, std::min(skip, raw->size()));
    if ((format & 0x02) != 0 || header.Unsynchronised()) return RemoveUnsynchronisation(*raw);
    return raw;
  }
  return raw;
}

// ---- Text encodings

namespace {

// Decodes UTF-8 leniently: every invalid sequence becomes U+FFFD. valid tells
// whether there was none.
std::u16string Utf8ToUtf16(std::string_view s, bool* valid) {
  std::u16string out;
  out.reserve(s.size());
  bool ok = true;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = Byte(s, i);
    char32_t cp;
    std::size_t len;
    char32_t min;
    if (c < 0x80) {
      cp = c, len = 1, min = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F, len = 2, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F, len = 3, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07, len = 4, min = 0x10000;
    } else {
      cp = 0xFFFD, len = 0, min = 0;
    }
    bool good = len > 0 && i + len <= s.size();
    for (std::size_t k = 1; good && k < len; ++k) {
      unsigned char t = Byte(s, i + k);
      if ((t & 0xC0) != 0x80) good = false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if (good && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) good = false;
    if (!good) {
      ok = false;
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += len;
  }
  if (valid) *valid = ok;
  return out;
}

// Code units from bytes; a byte-order mark at the start decides the order and is
// dropped, otherwise bigEndian does. An odd last byte is dropped.
std::u16string Utf16Units(std::string_view s, bool bigEndian) {
  if (s.size() >= 2 && Byte(s, 0) == 0xFF && Byte(s, 1) == 0xFE) {
    bigEndian = false, s.remove_prefix(2);
  } else if (s.size() >= 2 && Byte(s, 0) == 0xFE && Byte(s, 1) == 0xFF) {
    bigEndian = true, s.remove_prefix(2);
  }
  std::u16string out(s.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned hi = Byte(s, 2 * i + (bigEndian ? 0 : 1));
    unsigned lo = Byte(s, 2 * i + (bigEndian ? 1 : 0));
    out[i] = static_cast<char16_t>((hi << 8) | lo);
  }
  return out;
}

// Unpaired surrogates become U+FFFD, so that the conversion cannot fail on them.
void RepairSurrogates(std::u16string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      s[i] = u'\uFFFD';
    }
  }
}

std::string Utf16ToInternal(std::u16string units) {
  RepairSurrogates(units);
  if (auto converted = text::FromUtf16(units)) return *converted;
  std::string out;  // not expected: GB18030 holds every character
  for (char16_t c : units) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::string_view DropUtf8Bom(std::string_view s) {
  if (s.size() >= 3 && s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
  return s;
}

std::string Utf16LeWithBom(const std::u16string& units) {
  std::string out = "\xFF\xFE";
  for (char16_t c : units) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

}  // namespace

int TerminatorSize(int encoding) {
  return encoding == 1 || encoding == 2 ? 2 : 1;
}

std::string_view SplitString(int encoding, std::string_view bytes, std::string_view* rest) {
  std::size_t end = std::string_view::npos;
  if (TerminatorSize(encoding) == 1) {
    end = bytes.find('\0');
  } else {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      if (bytes[i] == '\0' && bytes[i + 1] == '\0') {
        end = i;
        break;
      }
    }
  }
  if (end == std::string_view::npos) {
    if (rest) *rest = {};
    return bytes;
  }
  if (rest) *rest = bytes.substr(end + static_cast<std::size_t>(TerminatorSize(encoding)));
  return bytes.substr(0, end);
}

std::string DecodeString(int encoding, std::string_view bytes) {
  switch (encoding) {
    case 1:
      return Utf16ToInternal(Utf16Units(bytes, false));
    case 2:
      return Utf16ToInternal(Utf16Units(bytes, true));
    case 3:
      return Utf16ToInternal(Utf8ToUtf16(DropUtf8Bom(bytes), nullptr));
    default:
      return std::string(bytes);  // single-byte text: kept as GBK bytes
  }
}

std::string DecodeStrings(int encoding, std::string_view bytes) {
  std::vector<std::string> parts;
  while (true) {
    std::string_view rest;
    std::string_view one = SplitString(encoding, bytes, &rest);
    parts.push_back(DecodeString(encoding, one));
    if (one.size() == bytes.size() || rest.empty()) break;
    bytes = rest;
  }
  while (!parts.empty() && parts.back().empty()) parts.pop_back();
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += '/';
    joined += parts[i];
  }
  return joined;
}

std::optional<std::string> ToUtf16WithBom(int encoding, std::string_view bytes) {
  switch (encoding) {
    case 1:
      return Utf16LeWithBom(Utf16Units(bytes, false));
    case 2:
      return Utf16LeWithBom(Utf16Units(bytes, true));
    case 3: {
      bool valid = true;
      std::u16string units = Utf8ToUtf16(DropUtf8Bom(bytes), &valid);
      if (!valid) return std::nullopt;
      return Utf16LeWithBom(units);
    }
    default: {
      auto units = text::ToUtf16(bytes);
      if (!units) return std::nullopt;
      return Utf16LeWithBom(*units);
    }
  }
}

}  // namespace tags
