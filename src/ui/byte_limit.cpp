#include "ui/byte_limit.h"

#include <algorithm>
#include <optional>

#include "text/encoding.h"
#include "text/text.h"
#include "ui/qt_text.h"

namespace {

bool Allowed(QChar c, ByteLimitValidator::Chars chars) {
  switch (chars) {
    case ByteLimitValidator::Chars::Any:
      return true;
    case ByteLimitValidator::Chars::SignedDigits:
      return (c >= u'0' && c <= u'9') || c == u'-';
    case ByteLimitValidator::Chars::Digits:
      return c >= u'0' && c <= u'9';
  }
  return true;
}

// The longest whole-character head of s within maxBytes, as a Qt string. A cut
// between the two pairs of a four-byte character is stepped back past it.
QString FittedHead(const std::string& s, std::size_t maxBytes) {
  std::size_t keep = text::FitLength(s, maxBytes);
  while (keep > 0) {
    if (std::optional<std::u16string> utf16 = text::ToUtf16(std::string_view(s).substr(0, keep))) {
      return QString::fromUtf16(utf16->data(), static_cast<qsizetype>(utf16->size()));
    }
    keep = text::FitLength(s, keep - 1);
  }
  return QString();
}

}  // namespace

ByteLimitValidator::ByteLimitValidator(int maxBytes, Chars chars, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes), chars_(chars) {}

QValidator::State ByteLimitValidator::validate(QString& input, int& pos) const {
  if (chars_ != Chars::Any) {
    QString kept;
    int keptPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
      if (Allowed(input[i], chars_)) {
        kept += input[i];
      } else if (i < pos) {
        --keptPos;
      }
    }
    input = kept;
    pos = keptPos;
  }
  if (maxBytes_ <= 0) return Acceptable;
  const auto limit = static_cast<std::size_t>(maxBytes_);
  if (FromQString(input).size() <= limit) return Acceptable;

  // The text after the cursor was there before the edit; the edit gives way.
  const QString tail = input.mid(pos);
  const std::size_t tailBytes = FromQString(tail).size();
  if (tailBytes >= limit) {
    input = FittedHead(FromQString(input), limit);
    pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
  }
  const QString head = FittedHead(FromQString(input.left(pos)), limit - tailBytes);
  input = head + tail;
  pos = static_cast<int>(head.size());
  return Acceptable;
}
