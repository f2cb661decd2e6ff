#include "ui/button_closed_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>

ButtonClosedDialog::ButtonClosedDialog(QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

void ButtonClosedDialog::keyPressEvent(QKeyEvent* event) {
  // Esc would cancel a plain dialog.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ButtonClosedDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}
