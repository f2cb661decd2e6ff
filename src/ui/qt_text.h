// Conversions between Qt strings and the program's internal text, for the window layer.
#pragma once

#include <QString>
#include <string>

// A text for display; bytes that are no character show as U+FFFD.
QString ToQString(const std::string& internal);
// The internal text of a Qt string (every Unicode character has a GB18030 form).
std::string FromQString(const QString& s);
