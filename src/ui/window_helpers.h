// Small pieces the windows share: the wait cursor of long commands and the colour
// values of the settings (Windows COLORREF: red in the low byte, then green, blue).
#pragma once

#include <QApplication>
#include <QColor>
#include <cstdint>

// Shows the wait cursor for the lifetime of one command.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

inline QColor FromColorRef(std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

inline std::int32_t ToColorRef(const QColor& color) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(color.red()) |
                                   static_cast<std::uint32_t>(color.green()) << 8 |
                                   static_cast<std::uint32_t>(color.blue()) << 16);
}
