// A one-line edit box for a number, with a pair of up-down arrows at its right edge.
// It may hold any text, the empty text too; only the arrows keep to their range.
#pragma once

#include <QLineEdit>
#include <optional>

class QToolButton;

class NumberBox : public QLineEdit {
  Q_OBJECT
 public:
  enum class Input {
    SignedInteger,  // typed characters other than 0-9 and "-" are refused
    Digits,         // only 0-9 are taken
  };

  // maxBytes bounds the text; the arrows step within spinMin..spinMax.
  NumberBox(Input input, int maxBytes, int spinMin, int spinMax, QWidget* parent = nullptr);

  // On losing the focus the text becomes its leading integer clamped to min..max,
  // 0 shown as the empty text; it is written only when that differs.
  void SetNormalRange(int min, int max);

  // One arrow click: the value moved by delta, kept inside the spin range.
  void Step(int delta);

  int SpinMinimum() const { return spinMin_; }
  int SpinMaximum() const { return spinMax_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Normalise();
  void PlaceArrows();

  int spinMin_;
  int spinMax_;
  std::optional<std::pair<int, int>> normalRange_;
  QToolButton* up_;
  QToolButton* down_;
};
