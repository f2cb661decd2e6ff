#include "app/cli_tags.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string_view>

#include "platform/file.h"
#include "tags/genres.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/id3v2_write.h"
#include "tags/tag_editor_model.h"
#include "tags/tag_record.h"
#include "text/encoding.h"
#include "text/number.h"

namespace {

using tags::TagRecord;

constexpr const char* kUsage =
    "usage: corvane-cli tags FILE\n"
    "       corvane-cli tags FILE [--set-v1 FIELD=VALUE...] [--set-v2 FIELD=VALUE...]\n"
    "                             [--remove-v1] [--remove-v2]\n"
    "  ID3v1 fields: title artist album year comment track genre\n"
    "  ID3v2 fields: title artist album year track genre comment composer\n"
    "                original_artist rights url encoder\n"
    "  genre: a genre name or number; empty for none\n";

struct FieldName {
  std::string_view Name;
  std::string TagRecord::*Member;
};

constexpr FieldName kV1Fields[] = {
    {"title", &TagRecord::Title}, {"artist", &TagRecord::Artist},   {"album", &TagRecord::Album},
    {"year", &TagRecord::Year},   {"comment", &TagRecord::Comment}, {"track", &TagRecord::Track},
    {"genre", &TagRecord::Genre},
};

constexpr FieldName kV2Fields[] = {
    {"title", &TagRecord::Title},
    {"artist", &TagRecord::Artist},
    {"album", &TagRecord::Album},
    {"year", &TagRecord::Year},
    {"track", &TagRecord::Track},
    {"genre", &TagRecord::Genre},
    {"comment", &TagRecord::Comment},
    {"composer", &TagRecord::Composer},
    {"original_artist", &TagRecord::OriginalArtist},
    {"rights", &TagRecord::Rights},
    {"url", &TagRecord::Url},
    {"encoder", &TagRecord::Encoder},
};

template <std::size_t N>
const FieldName* FindField(const FieldName (&fields)[N], std::string_view name) {
  for (const FieldName& f : fields) {
    if (f.Name == name) return &f;
  }
  return nullptr;
}

int Usage(const std::string& problem) {
  std::fprintf(stderr, "corvane-cli tags: %s\n%s", problem.c_str(), kUsage);
  return 2;
}

// ---- JSON output

std::string JsonString(std::string_view internal) {
  auto utf8 = text::ToUtf8(internal);
  std::string s = utf8 ? *utf8 : text::ToUtf8Lossy(internal);
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

template <std::size_t N>
std::string JsonRecord(const TagRecord& record, const FieldName (&fields)[N]) {
  std::string out = "{";
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += ", ";
    out += '"';
    out += fields[i].Name;
    out += "\": ";
    out += JsonString(record.*fields[i].Member);
  }
  return out + "}";
}

int PrintTags(platform::DiskFile& file) {
  TagRecord v1, v2;
  bool hasV1 = tags::ReadId3v1(file, v1);
  bool hasV2 = tags::ReadId3v2(file, v2);
  std::string out = "{\"id3v1\": ";
  out += hasV1 ? JsonRecord(v1, kV1Fields) : "null";
  out += ", \"id3v2\": ";
  out += hasV2 ? JsonRecord(v2, kV2Fields) : "null";
  out += "}\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// ---- Genres as the tag editor stores them

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// ID3v1: a genre name or number to the genre byte, -1 for none; nothing when unknown.
std::optional<int> V1Genre(const std::string& value) {
  if (value.empty()) return -1;
  if (IsDigits(value)) {
    if (value.size() > 3) return std::nullopt;
    int n = text::TextToNumber(value);
    if (n > 255) return std::nullopt;
    return n;
  }
  int n = tags::GenreNumberOf(value);
  if (n < 0) return std::nullopt;
  return n;
}

// ID3v2: stored as the tag editor stores its genre text; here a genre number given
// on the command line names its genre too.
std::string V2Genre(const std::string& value, bool numbersToo) {
  if (numbersToo && IsDigits(value) && value.size() <= 3) {
    int n = text::TextToNumber(value);
    if (n < tags::kGenreCount) return tags::GenreReference(n);
  }
  return tags::V2GenreText(value);
}

struct Request {
  std::string Path;
  std::map<std::string, std::string> SetV1, SetV2;  // field name -> internal text
  bool WriteV1 = false, WriteV2 = false, RemoveV1 = false, RemoveV2 = false;
};

}  // namespace

int RunTagsCommand(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no file given");
  if (args[0] == "--help" || args[0] == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args[0].rfind("--", 0) == 0) return Usage("the file must come first, before " + args[0]);
  Request request;
  request.Path = args[0];
  int mode = 0;  // which --set-vN the FIELD=VALUE words belong to
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--set-v1") {
      request.WriteV1 = true, mode = 1;
    } else if (word == "--set-v2") {
      request.WriteV2 = true, mode = 2;
    } else if (word == "--remove-v1") {
      request.RemoveV1 = true, mode = 0;
    } else if (word == "--remove-v2") {
      request.RemoveV2 = true, mode = 0;
    } else if (word.rfind("--", 0) == 0) {
      return Usage("unknown option " + word);
    } else {
      std::size_t eq = word.find('=');
      if (mode == 0 || eq == std::string::npos) {
        return Usage("unexpected argument \"" + word +
                     "\" (FIELD=VALUE after --set-v1 or --set-v2)");
      }
      std::string name = word.substr(0, eq);
      bool known =
          mode == 1 ? FindField(kV1Fields, name) != nullptr : FindField(kV2Fields, name) != nullptr;
      if (!known) return Usage("unknown ID3v" + std::to_string(mode) + " field " + name);
      auto value = text::FromUtf8(std::string_view(word).substr(eq + 1));
      if (!value) return Usage("the value of " + name + " is not valid UTF-8");
      (mode == 1 ? request.SetV1 : request.SetV2)[name] = *value;
    }
  }
  if (request.WriteV1 && request.RemoveV1) return Usage("--set-v1 and --remove-v1 together");
  if (request.WriteV2 && request.RemoveV2) return Usage("--set-v2 and --remove-v2 together");
  std::optional<int> v1Genre;
  if (auto it = request.SetV1.find("genre"); it != request.SetV1.end()) {
    v1Genre = V1Genre(it->second);
    if (!v1Genre) return Usage("unknown genre " + text::ToUtf8Lossy(it->second));
  }

  bool writes = request.WriteV1 || request.WriteV2 || request.RemoveV1 || request.RemoveV2;
  auto path = text::FromUtf8(request.Path);
  platform::DiskFile file;
  if (!path ||
      !file.Open(*path, writes ? platform::OpenMode::ReadWrite : platform::OpenMode::Read)) {
    std::fprintf(stderr, "corvane-cli tags: cannot open %s\n", request.Path.c_str());
    return 1;
  }
  if (!writes) return PrintTags(file);

  int status = 0;
  auto fail = [&](const char* what) {
    std::fprintf(stderr, "corvane-cli tags: %s failed for %s\n", what, request.Path.c_str());
    status = 1;
  };
  if (request.WriteV1) {
    TagRecord record;
    int genre = -1;
    if (tags::ReadId3v1(file, record)) genre = text::TextToNumber(record.Genre);
    for (const auto& [name, value] : request.SetV1)
      record.*FindField(kV1Fields, name)->Member = value;
    if (v1Genre) genre = *v1Genre;
    if (!tags::WriteId3v1(file, record.Title, record.Artist, record.Album, record.Year,
                          record.Comment, record.Track, genre)) {
      fail("writing the ID3v1 tag");
    }
  } else if (request.RemoveV1 && !tags::RemoveId3v1(file)) {
    fail("removing the ID3v1 tag");
  }
  if (request.WriteV2) {
    TagRecord record;
    tags::ReadId3v2(file, record);
    record.Genre = V2Genre(record.Genre, false);
    for (const auto& [name, value] : request.SetV2) {
      record.*FindField(kV2Fields, name)->Member = name == "genre" ? V2Genre(value, true) : value;
    }
    if (!tags::WriteId3v2(file, record)) fail("writing the ID3v2 tag");
  } else if (request.RemoveV2 && !tags::RemoveId3v2(file)) {
    fail("removing the ID3v2 tag");
  }
  return status;
}
