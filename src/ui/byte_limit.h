// Edit-box lengths counted the way the rest of the program counts them, in bytes of
// the internal text.
#pragma once

#include <QValidator>

// Holds an edit box to at most maxBytes bytes of internal text and, for numeric
// boxes, drops every character the box does not take. An over-long edit loses the
// end of what was just typed or pasted (the characters before the cursor), cut
// between whole characters. Also applies to texts set by the program.
class ByteLimitValidator : public QValidator {
  Q_OBJECT
 public:
  enum class Chars { Any, SignedDigits, Digits };

  ByteLimitValidator(int maxBytes, Chars chars, QObject* parent = nullptr);

  State validate(QString& input, int& pos) const override;

 private:
  int maxBytes_;
  Chars chars_;
};
