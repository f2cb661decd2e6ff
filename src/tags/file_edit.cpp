#include "tags/file_edit.h"

namespace tags {

bool DeleteFileBytes(platform::ByteStream& file, std::int64_t offset, std::int64_t count) {
  return platform::ReplaceBytes(file, offset, count, {});
}

bool InsertFileBytes(platform::ByteStream& file, std::int64_t offset, std::string_view bytes) {
  return platform::ReplaceBytes(file, offset, 0, bytes);
}

bool ReplaceFileBytes(platform::ByteStream& file, std::int64_t offset, std::int64_t count,
                      std::string_view bytes) {
  return platform::ReplaceBytes(file, offset, count, bytes);
}

}  // namespace tags
