// The About window: the program's name and version; a left click anywhere closes it.
#pragma once

#include <QDialog>

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};
