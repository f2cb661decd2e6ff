// The start-up window: what the program does, a link to its web site, and the way in.
#pragma once

#include <QWidget>
#include <functional>

class QPushButton;
class Dialogs;

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  // enter opens the main window; it runs once, on the first click of "进入软件".
  SplashWindow(Dialogs& dialogs, std::function<void()> enter, QWidget* parent = nullptr);

  void EnterProgram();

 private:
  Dialogs& dialogs_;
  std::function<void()> enter_;
  QPushButton* enterButton_ = nullptr;
};
