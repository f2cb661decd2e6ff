#include "ui/qt_text.h"

#include "text/encoding.h"

QString ToQString(const std::string& internal) {
  if (auto utf16 = text::ToUtf16(internal)) {
    return QString::fromUtf16(utf16->data(), static_cast<qsizetype>(utf16->size()));
  }
  return QString::fromStdString(text::ToUtf8Lossy(internal));
}

std::string FromQString(const QString& s) {
  std::u16string_view utf16(reinterpret_cast<const char16_t*>(s.utf16()),
                            static_cast<std::size_t>(s.size()));
  // Only unpaired surrogates fail; they cannot be typed or come from a file name.
  return text::FromUtf16(utf16).value_or(std::string());
}
