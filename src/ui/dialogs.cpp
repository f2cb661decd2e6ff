#include "ui/dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>

QStringList QtDialogs::OpenFiles(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& directory) {
  QFileDialog dialog(parent, title, directory, filter);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  // The filter names already show their patterns.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
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

std::optional<FontChoice> QtDialogs::ChooseFont(QWidget* parent, const FontChoice& initial) {
  QFont font(initial.Family);
  if (initial.PointSize > 0) font.setPointSize(initial.PointSize);
  font.setBold(initial.Bold);
  font.setItalic(initial.Italic);
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, font, parent);
  if (!ok) return std::nullopt;
  return FontChoice{chosen.family(), chosen.pointSize(), chosen.bold(), chosen.italic()};
}

std::optional<QColor> QtDialogs::ChooseColor(QWidget* parent, const QColor& initial) {
  QColor chosen = QColorDialog::getColor(initial, parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}
