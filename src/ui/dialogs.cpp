#include "ui/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>

QStringList QtDialogs::OpenFiles(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& directory) {
  return QFileDialog::getOpenFileNames(parent, title, directory, filter);
}

QString QtDialogs::ExistingDirectory(QWidget* parent, const QString& title) {
  return QFileDialog::getExistingDirectory(parent, title);
}

void QtDialogs::Message(QWidget* parent, const QString& text, const QString& title,
                        QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtDialogs::Ask(QWidget* parent, const QString& text, const QString& title,
                    QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

void QtDialogs::OpenUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}
