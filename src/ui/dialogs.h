// Every dialog and message box the windows open, behind one interface so that tests
// can answer them; QtDialogs is the real one.
#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QWidget;

// What the font dialog shows and returns.
struct FontChoice {
  QString Family;
  int PointSize = 10;
  bool Bold = false;
  bool Italic = false;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Full paths of the chosen files, in the dialog's order; empty when cancelled.
  virtual QStringList OpenFiles(QWidget* parent, const QString& title, const QString& filter,
                                const QString& directory) = 0;
  // The chosen directory; empty when cancelled.
  virtual QString ExistingDirectory(QWidget* parent, const QString& title) = 0;
  virtual void Message(QWidget* parent, const QString& text, const QString& title,
                       QMessageBox::Icon icon) = 0;
  // A Yes/No question; true for Yes.
  virtual bool Ask(QWidget* parent, const QString& text, const QString& title,
                   QMessageBox::Icon icon) = 0;
  virtual void OpenUrl(const QUrl& url) = 0;
  // nullopt when the user cancels.
  virtual std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& initial) = 0;
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
};

class QtDialogs : public Dialogs {
 public:
  QStringList OpenFiles(QWidget* parent, const QString& title, const QString& filter,
                        const QString& directory) override;
  QString ExistingDirectory(QWidget* parent, const QString& title) override;
  void Message(QWidget* parent, const QString& text, const QString& title,
               QMessageBox::Icon icon) override;
  bool Ask(QWidget* parent, const QString& text, const QString& title,
           QMessageBox::Icon icon) override;
  void OpenUrl(const QUrl& url) override;
  std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& initial) override;
  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
};
