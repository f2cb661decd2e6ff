// corvane: the window program.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "settings/last_directory.h"
#include "ui/app_state.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt's own dialogs and buttons in Chinese, like the rest of the program.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslator);
  }
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(12);
  QApplication::setFont(font);

  // InitGlobals: the program's state lives until main returns (FreeGlobals).
  auto state = std::make_unique<AppState>();
  state->ConfigPath = settings::ConfigPath();
  state->LastDirPath = settings::LastDirPath();
  QtDialogs dialogs;
  std::unique_ptr<MainWindow> mainWindow;

  auto* splash = new SplashWindow(dialogs, [&] {
    mainWindow = std::make_unique<MainWindow>(*state, dialogs);
    mainWindow->show();
  });
  splash->show();
  int status = app.exec();
  mainWindow.reset();  // saves the settings
  return status;
}
