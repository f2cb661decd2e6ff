#include "ui/number_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "text/number.h"
#include "ui/byte_limit.h"
#include "ui/qt_text.h"

namespace {

constexpr int kArrowWidth = 13;

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  // The box keeps the focus, as a buddy's arrows do.
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::ArrowCursor);
  return button;
}

QString NumberText(long long value) {
  return value == 0 ? QString() : QString::number(value);
}

}  // namespace

NumberBox::NumberBox(Input input, int maxBytes, int spinMin, int spinMax, QWidget* parent)
    : QLineEdit(parent),
      spinMin_(spinMin),
      spinMax_(spinMax),
      up_(MakeArrow(this, Qt::UpArrow, QStringLiteral("up"))),
      down_(MakeArrow(this, Qt::DownArrow, QStringLiteral("down"))) {
  setValidator(new ByteLimitValidator(maxBytes,
                                      input == Input::Digits
                                          ? ByteLimitValidator::Chars::Digits
                                          : ByteLimitValidator::Chars::SignedDigits,
                                      this));
  setTextMargins(0, 0, kArrowWidth, 0);
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  PlaceArrows();
}

void NumberBox::SetNormalRange(int min, int max) {
  normalRange_ = std::make_pair(min, max);
}

void NumberBox::Step(int delta) {
  long long value = text::TextToNumber(FromQString(text()));
  value = std::clamp<long long>(value + delta, spinMin_, spinMax_);
  setText(QString::number(value));
}

void NumberBox::Normalise() {
  if (!normalRange_) return;
  long long value = text::TextToNumber(FromQString(text()));
  value = std::clamp<long long>(value, normalRange_->first, normalRange_->second);
  const QString normal = NumberText(value);
  if (normal != text()) setText(normal);
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The box's own context menu takes the focus for a moment; the edit goes on.
  if (event->reason() != Qt::PopupFocusReason) Normalise();
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
  if (!isReadOnly() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
      (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    Step(event->key() == Qt::Key_Up ? 1 : -1);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void NumberBox::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceArrows();
}

void NumberBox::PlaceArrows() {
  const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const int inner = std::max(0, height() - 2 * frame);
  const int upHeight = inner / 2;
  const int x = width() - frame - kArrowWidth;
  up_->setGeometry(x, frame, kArrowWidth, upHeight);
  down_->setGeometry(x, frame + upHeight, kArrowWidth, inner - upHeight);
}
