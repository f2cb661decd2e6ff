// Dialogs that answer from a script and remember what they were shown.
#pragma once

#include <QList>
#include <QStringList>

#include "ui/dialogs.h"

class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    QString Text, Title;
    QMessageBox::Icon Icon;
  };

  QStringList NextFiles;
  QString NextDirectory;
  bool NextAnswer = true;
  QString LastStartDirectory;
  int OpenFilesCalls = 0;
  QList<Shown> Messages;
  QList<Shown> Questions;
  QList<QUrl> Urls;
  std::optional<FontChoice> NextFont;  // nullopt: the user cancels
  std::optional<QColor> NextColor;
  FontChoice LastFontShown;

  QStringList OpenFiles(QWidget*, const QString&, const QString&,
                        const QString& directory) override {
    LastStartDirectory = directory;
    ++OpenFilesCalls;
    return NextFiles;
  }
  QString ExistingDirectory(QWidget*, const QString&) override { return NextDirectory; }
  void Message(QWidget*, const QString& text, const QString& title,
               QMessageBox::Icon icon) override {
    Messages.append({text, title, icon});
  }
  bool Ask(QWidget*, const QString& text, const QString& title, QMessageBox::Icon icon) override {
    Questions.append({text, title, icon});
    return NextAnswer;
  }
  void OpenUrl(const QUrl& url) override { Urls.append(url); }
  std::optional<FontChoice> ChooseFont(QWidget*, const FontChoice& initial) override {
    LastFontShown = initial;
    return NextFont;
  }
  std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return NextColor; }
};
