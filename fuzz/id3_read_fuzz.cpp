// The readers on any bytes taken as a whole file: they must return without reading
// out of bounds, hanging or allocating beyond the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/id3v2_write.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  platform::MemoryFile file(bytes);
  tags::TagRecord record;
  tags::ReadId3v1(file, record);
  tags::ReadId3v2(file, record);
  tags::Id3v2TagExtent(file);
  for (const char* id : {"TIT2", "COMM", "WXXX", "WOAR", "TCON", "TT2", "COM"}) {
    tags::ReadFrameText(bytes, id);
  }
  tags::ResolveGenreText(bytes.substr(0, 64));
  for (int encoding = 0; encoding < 4; ++encoding) {
    tags::DecodeStrings(encoding, bytes.substr(0, 256));
    tags::ToUtf16WithBom(encoding, bytes.substr(0, 256));
  }
  return 0;
}
