#include "ui/main_window.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Corvane批量修改文件名工具"));
  resize(800, 500);
}
