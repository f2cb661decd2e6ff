// The start-up window and the About window.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "fake_dialogs.h"
#include "ui/about_window.h"
#include "ui/splash_window.h"

class SmallWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void EnterRunsOnceAndClosesTheSplash() {
    FakeDialogs dialogs;
    int entered = 0;
    auto* splash = new SplashWindow(dialogs, [&] { ++entered; });
    QPointer<SplashWindow> alive(splash);
    splash->show();
    QCOMPARE(splash->windowTitle(), QStringLiteral("Corvane批量修改文件名工具"));
    QVERIFY(!splash->findChild<QCheckBox*>(QStringLiteral("选择框1"))->isVisible());
    auto* enter = splash->findChild<QPushButton*>(QStringLiteral("btn_confirm"));
    QCOMPARE(enter->text(), QStringLiteral("进入软件"));
    splash->EnterProgram();
    splash->EnterProgram();
    QCOMPARE(entered, 1);
    QVERIFY(!enter->isEnabled());
    QTRY_VERIFY(alive.isNull());  // closed and deleted
  }

  void SiteButtonOpensTheStartPageAndStays() {
    FakeDialogs dialogs;
    int entered = 0;
    SplashWindow* splash = new SplashWindow(dialogs, [&] { ++entered; });
    splash->show();
    splash->findChild<QPushButton*>(QStringLiteral("btn_confirm1"))->click();
    QCOMPARE(dialogs.Urls.size(), 1);
    QCOMPARE(dialogs.Urls[0].path(), QStringLiteral("/post/10.html"));
    QVERIFY(splash->isVisible());
    // Closing by the close box never enters.
    splash->close();
    QCOMPARE(entered, 0);
  }

  void AboutClosesOnALeftClickAnywhere() {
    AboutWindow about;
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral("关于Lumacor更名器"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("版本标签"))->text(), QStringLiteral("1.0"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("软件名标签"))->text(),
             QStringLiteral("Corvane批量修改文件名工具"));
    QTest::mouseClick(&about, Qt::RightButton, {}, QPoint(200, 200));
    QVERIFY(about.isVisible());
    // A click on a label reaches the window too.
    QWidget* label = about.findChild<QLabel*>(QStringLiteral("标签7"));
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
