#include "text/encoding.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace text {

namespace {

// One converter per direction and thread, opened once: iconv_open is far too slow
// to pay per file name on a list of a hundred thousand entries.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of in; with `lossy`, an invalid sequence writes `replacement` and
  // skips one byte, otherwise it fails.
  std::optional<std::string> Run(std::string_view in, bool lossy = false,
                                 std::string_view replacement = {}) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t used = 0;
    while (true) {
      char* dst = out.data() + used;
      std::size_t dstLeft = out.size() - used;
      std::size_t r = srcLeft == 0 ? iconv(cd_, nullptr, nullptr, &dst, &dstLeft)
                                   : iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      if (r != static_cast<std::size_t>(-1)) {
        if (srcLeft == 0) break;
        continue;
      }
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
      } else if (lossy && srcLeft > 0) {
        out.resize(used);
        out.append(replacement);
        used = out.size();
        out.resize(used + srcLeft * 2 + 16);
        ++src;
        --srcLeft;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      } else {
        return std::nullopt;
      }
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

Converter& GbToUtf8() {
  thread_local Converter c("UTF-8", "GB18030");
  return c;
}

std::string_view Bytes(std::u16string_view s) {
  return {reinterpret_cast<const char*>(s.data()), s.size() * sizeof(char16_t)};
}

}  // namespace

std::optional<std::string> ToUtf8(std::string_view internal) {
  if (IsAscii(internal)) return std::string(internal);
  return GbToUtf8().Run(internal);
}

std::optional<std::string> FromUtf8(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter c("GB18030", "UTF-8");
  return c.Run(utf8);
}

std::optional<std::u16string> ToUtf16(std::string_view internal) {
  std::u16string result;
  if (IsAscii(internal)) {
    result.assign(internal.begin(), internal.end());
    return result;
  }
  thread_local Converter c("UTF-16LE", "GB18030");
  auto bytes = c.Run(internal);
  if (!bytes) return std::nullopt;
  result.resize(bytes->size() / 2);
  std::copy(bytes->begin(), bytes->begin() + result.size() * 2,
            reinterpret_cast<char*>(result.data()));
  return result;
}

std::optional<std::string> FromUtf16(std::u16string_view utf16) {
  if (std::all_of(utf16.begin(), utf16.end(), [](char16_t c) { return c < 0x80; })) {
    return std::string(utf16.begin(), utf16.end());
  }
  thread_local Converter c("GB18030", "UTF-16LE");
  return c.Run(Bytes(utf16));
}

std::string ToUtf8Lossy(std::string_view internal) {
  if (IsAscii(internal)) return std::string(internal);
  return *GbToUtf8().Run(internal, true, "\xEF\xBF\xBD");
}

std::string Literal(std::string_view utf8) {
  auto internal = FromUtf8(utf8);
  if (!internal) throw std::logic_error("not UTF-8: a program text is broken");
  return *internal;
}

}  // namespace text
