// A modal window without title-bar buttons that closes only through its own
// buttons: Esc and close requests from the window system are ignored.
#pragma once

#include <QDialog>

class ButtonClosedDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ButtonClosedDialog(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};
