// The settings window driven through its controls, with scripted font and colour
// dialogs, and opened from the main window's menu.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "fake_dialogs.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/number_box.h"
#include "ui/qt_text.h"
#include "ui/settings_window.h"

namespace {

settings::Settings Defaults() {
  settings::Settings s;
  settings::SetDefaultSettings(s);
  return s;
}

// A record unlike the defaults in every field.
settings::Settings Custom() {
  settings::Settings s;
  s.AutoPreview = 1;
  s.PreviewAll = 0;
  s.PreviewCount = 37;
  s.TextColor = 0x102030;
  s.BackColor = 0x405060;
  s.FontName = FromQString(QStringLiteral("黑体"));
  s.FontSize = 14;
  s.FontBold = 1;
  s.FontItalic = 0;
  return s;
}

QColor SwatchCentre(const QAbstractButton* picker) {
  QImage swatch = picker->icon().pixmap(picker->iconSize()).toImage();
  return swatch.pixelColor(swatch.rect().center());
}

}  // namespace

class SettingsWindowTest : public QObject {
  Q_OBJECT

 private:
  settings::Settings settings_;
  FakeDialogs dialogs_;
  int applied_ = 0;
  bool waitCursorDuringApply_ = false;
  std::unique_ptr<SettingsWindow> window_;

  void Open(const settings::Settings& s) {
    window_.reset();
    settings_ = s;
    dialogs_ = FakeDialogs();
    applied_ = 0;
    waitCursorDuringApply_ = false;
    window_ = std::make_unique<SettingsWindow>(settings_, dialogs_, [this] {
      ++applied_;
      const QCursor* cursor = QApplication::overrideCursor();
      waitCursorDuringApply_ = cursor && cursor->shape() == Qt::WaitCursor;
    });
    window_->show();
  }

  template <class T>
  T* Find(const QString& name) {
    T* widget = window_->findChild<T*>(name);
    if (!widget) qFatal("no control %s", qPrintable(name));
    return widget;
  }
  QAbstractButton* Button(const char* name) {
    return Find<QAbstractButton>(QString::fromUtf8(name));
  }
  void Click(const char* name) { Button(name)->click(); }
  bool ApplyEnabled() { return Button("应用按钮")->isEnabled(); }
  NumberBox* CountBox() { return Find<NumberBox>(QStringLiteral("预览数量编辑框")); }
  ColorPicker* Picker(const QString& name) { return Find<ColorPicker>(name); }

 private slots:
  void initTestCase() {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    QApplication::setFont(font);
  }

  void cleanup() { window_.reset(); }

  void WindowFrame() {
    Open(Custom());
    QCOMPARE(window_->objectName(), QStringLiteral("SettingsWindow"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("设置"));
    QVERIFY(!(window_->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(window_->windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(window_->isModal());
    QCOMPARE(window_->frameGeometry().size(), QSize(411, 180));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
  }

  void Captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("auto") << QStringLiteral("自动预览选择框") << QStringLiteral("自动预览");
    QTest::newRow("count") << QStringLiteral("预览指定数量单选框")
                           << QStringLiteral("预览的项目数：");
    QTest::newRow("all") << QStringLiteral("预览全部单选框") << QStringLiteral("预览全部");
    QTest::newRow("font") << QStringLiteral("字体按钮") << QStringLiteral("字体...");
    QTest::newRow("defaults") << QStringLiteral("默认按钮") << QStringLiteral("恢复默认");
    QTest::newRow("ok") << QStringLiteral("确定按钮") << QStringLiteral("确定");
    QTest::newRow("cancel") << QStringLiteral("取消按钮") << QStringLiteral("取消");
    QTest::newRow("apply") << QStringLiteral("应用按钮") << QStringLiteral("应用");
  }
  void Captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Open(Defaults());
    QCOMPARE(Find<QAbstractButton>(name)->text(), caption);
  }

  // Every text is shown whole, inside the window, and no two controls overlap.
  void ControlsFitTheWindow() {
    Open(Custom());
    dialogs_.NextFont =
        FontChoice{QStringLiteral("Noto Sans CJK SC Extra Long Face Name Here"), 72, true, true};
    Click("字体按钮");
    QStringList labels;
    for (QLabel* label : window_->findChildren<QLabel*>()) labels << label->text();
    for (const char* text : {"预览框背景的颜色", "预览框字体的颜色", "预览框字体的大小"}) {
      QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
    }
    QList<QWidget*> controls;
    for (QWidget* w : window_->findChildren<QWidget*>()) {
      if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
          qobject_cast<QLineEdit*>(w) || qobject_cast<QGroupBox*>(w)) {
        if (w->isVisibleTo(window_.get()) && !qobject_cast<QToolButton*>(w)) controls << w;
      }
    }
    const QRect inside = window_->rect();
    for (QWidget* w : controls) {
      QRect place(w->mapTo(window_.get(), QPoint(0, 0)), w->size());
      QVERIFY2(inside.contains(place), qPrintable(w->objectName()));
      if (auto* label = qobject_cast<QLabel*>(w)) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(label->text()));
      } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        QVERIFY2(button->minimumSizeHint().height() <= button->height(),
                 qPrintable(button->text()));
      }
    }
    for (QWidget* a : controls) {
      for (QWidget* b : controls) {
        if (a == b || a->parentWidget() != b->parentWidget()) continue;
        QVERIFY2(!a->geometry().intersects(b->geometry()),
                 qPrintable(a->objectName() + QLatin1Char('/') + b->objectName()));
      }
    }
    // The long face name is cut to fit and shown whole in the tooltip.
    auto* info = Find<QLabel>(QStringLiteral("FontInfo"));
    QVERIFY(info->toolTip().startsWith(QStringLiteral("Noto Sans CJK SC Extra Long Face Name")));
    QVERIFY(info->toolTip().endsWith(QStringLiteral(" 72 粗斜体")));
  }

  void OkAtOnceChangesNothing() {
    Open(Custom());
    QVERIFY(!ApplyEnabled());
    QCOMPARE(CountBox()->text(), QStringLiteral("37"));
    Click("确定按钮");
    QCOMPARE(settings_, Custom());
    QCOMPARE(applied_, 0);
    QVERIFY(!window_->isVisible());
    QCOMPARE(window_->result(), int(QDialog::Accepted));
  }

  void Font_data() {
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("closeWith");
    QTest::newRow("chosen, cancel") << true << QStringLiteral("取消按钮");
    QTest::newRow("chosen, ok") << true << QStringLiteral("确定按钮");
    QTest::newRow("dialog cancelled, ok") << false << QStringLiteral("确定按钮");
  }
  void Font() {
    QFETCH(bool, confirm);
    QFETCH(QString, closeWith);
    Open(Custom());
    if (confirm) dialogs_.NextFont = FontChoice{QStringLiteral("楷体"), 16, false, true};
    Click("字体按钮");
    QCOMPARE(dialogs_.LastFontShown.Family, QStringLiteral("黑体"));
    QCOMPARE(dialogs_.LastFontShown.PointSize, 14);
    QVERIFY(dialogs_.LastFontShown.Bold);
    QVERIFY(!dialogs_.LastFontShown.Italic);
    QCOMPARE(ApplyEnabled(), confirm);

    settings::Settings expected = Custom();
    // The face name is stored the moment the dialog is confirmed.
    if (confirm) expected.FontName = FromQString(QStringLiteral("楷体"));
    QCOMPARE(settings_, expected);
    QCOMPARE(Find<QLabel>(QStringLiteral("FontInfo"))->text(),
             confirm ? QStringLiteral("楷体 16 斜体") : QStringLiteral("黑体 14 粗体"));

    Find<QAbstractButton>(closeWith)->click();
    const bool collected = confirm && closeWith == QStringLiteral("确定按钮");
    if (collected) {
      expected.FontSize = 16;
      expected.FontBold = 0;
      expected.FontItalic = 1;
    }
    QCOMPARE(settings_, expected);
    QCOMPARE(applied_, collected ? 1 : 0);
  }

  // The next opening shows the face name a cancelled window left stored.
  void FontNameOutlivesCancel() {
    Open(Custom());
    dialogs_.NextFont = FontChoice{QStringLiteral("楷体"), 16, false, false};
    Click("字体按钮");
    Click("取消按钮");
    settings::Settings left = settings_;
    Open(left);
    Click("字体按钮");
    QCOMPARE(dialogs_.LastFontShown.Family, QStringLiteral("楷体"));
    QCOMPARE(dialogs_.LastFontShown.PointSize, 14);
  }

  void RestoreDefaults_data() {
    QTest::addColumn<QString>("closeWith");
    QTest::newRow("cancel") << QStringLiteral("取消按钮");
    QTest::newRow("ok") << QStringLiteral("确定按钮");
  }
  void RestoreDefaults() {
    QFETCH(QString, closeWith);
    settings::Settings stored = Custom();
    stored.PreviewAll = 1;
    Open(stored);
    Click("默认按钮");
    QVERIFY(ApplyEnabled());
    QCOMPARE(settings_, stored);
    QVERIFY(!Button("自动预览选择框")->isChecked());
    QVERIFY(Button("预览指定数量单选框")->isChecked());
    QVERIFY(!Button("预览全部单选框")->isChecked());
    QVERIFY(!Button("预览全部单选框")->isEnabled());
    QVERIFY(!CountBox()->isEnabled());
    QCOMPARE(CountBox()->text(), QStringLiteral("10"));
    QCOMPARE(Picker(QStringLiteral("超级列表框背景颜色选择器"))->ColorRef(), 8429696);
    QCOMPARE(Picker(QStringLiteral("超级列表框字体颜色选择器"))->ColorRef(), 8388608);
    QCOMPARE(Find<QLabel>(QStringLiteral("FontInfo"))->text(), QStringLiteral("宋体 10"));

    Find<QAbstractButton>(closeWith)->click();
    const bool ok = closeWith == QStringLiteral("确定按钮");
    QCOMPARE(settings_, ok ? Defaults() : stored);
    QCOMPARE(applied_, ok ? 1 : 0);
  }

  void ApplyThenOkAppliesOnce() {
    Open(Custom());
    Click("自动预览选择框");
    QVERIFY(ApplyEnabled());
    Click("应用按钮");
    QCOMPARE(applied_, 1);
    QVERIFY(waitCursorDuringApply_);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(settings_.AutoPreview, 0);
    QVERIFY(!ApplyEnabled());
    QVERIFY(window_->isVisible());
    Click("确定按钮");
    QCOMPARE(applied_, 1);
    QVERIFY(!window_->isVisible());
  }

  void OpeningStates_data() {
    QTest::addColumn<int>("autoPreview");
    QTest::addColumn<int>("previewAll");
    QTest::addColumn<bool>("radiosEnabled");
    QTest::addColumn<bool>("boxEnabled");
    QTest::addColumn<bool>("allChosen");
    QTest::newRow("off, count") << 0 << 0 << false << false << false;
    QTest::newRow("off, all") << 0 << 1 << false << false << true;
    QTest::newRow("on, count") << 1 << 0 << true << true << false;
    QTest::newRow("on, all") << 1 << 1 << true << false << true;
    // Only 1 means every entry, yet any value but 0 chooses the second button.
    QTest::newRow("on, 2") << 1 << 2 << true << true << true;
    QTest::newRow("auto 2 is off") << 2 << 0 << false << false << false;
  }
  void OpeningStates() {
    QFETCH(int, autoPreview);
    QFETCH(int, previewAll);
    QFETCH(bool, radiosEnabled);
    QFETCH(bool, boxEnabled);
    QFETCH(bool, allChosen);
    settings::Settings s = Custom();
    s.AutoPreview = autoPreview;
    s.PreviewAll = previewAll;
    Open(s);
    QCOMPARE(Button("自动预览选择框")->isChecked(), autoPreview == 1);
    QCOMPARE(Button("预览指定数量单选框")->isEnabled(), radiosEnabled);
    QCOMPARE(Button("预览全部单选框")->isEnabled(), radiosEnabled);
    QCOMPARE(CountBox()->isEnabled(), boxEnabled);
    QCOMPARE(Button("预览全部单选框")->isChecked(), allChosen);
    QCOMPARE(Button("预览指定数量单选框")->isChecked(), !allChosen);
    QVERIFY(!ApplyEnabled());
  }

  // The count box follows the stored choice when automatic preview is switched back on.
  void PreviewControlsFollowStoredChoice() {
    Open(Custom());  // automatic preview on, PreviewAll 0
    Click("预览全部单选框");
    QVERIFY(ApplyEnabled());
    QVERIFY(!CountBox()->isEnabled());
    Click("自动预览选择框");
    QVERIFY(!Button("预览全部单选框")->isEnabled());
    QVERIFY(!Button("预览指定数量单选框")->isEnabled());
    QVERIFY(!CountBox()->isEnabled());
    Click("自动预览选择框");
    QVERIFY(CountBox()->isEnabled());
    QVERIFY(Button("预览全部单选框")->isChecked());
    Click("预览指定数量单选框");
    QVERIFY(CountBox()->isEnabled());
    Click("预览全部单选框");
    Click("确定按钮");
    QCOMPARE(settings_.PreviewAll, 1);
    QCOMPARE(settings_.AutoPreview, 1);
  }

  void TypedCount_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("0") << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << QStringLiteral("-5") << -5;
    QTest::newRow("empty") << QString() << QString() << 0;
    QTest::newRow("past the arrows' range")
        << QStringLiteral("999") << QStringLiteral("999") << 999;
    QTest::newRow("three characters at most")
        << QStringLiteral("1234") << QStringLiteral("123") << 123;
    QTest::newRow("letters refused") << QStringLiteral("4a2") << QStringLiteral("42") << 42;
    QTest::newRow("minus inside") << QStringLiteral("5-") << QStringLiteral("5-") << 5;
  }
  void TypedCount() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    Open(Custom());
    NumberBox* box = CountBox();
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), shown);
    QVERIFY(ApplyEnabled());
    Click("确定按钮");
    QCOMPARE(settings_.PreviewCount, stored);
    QCOMPARE(applied_, 1);
  }

  void Arrows_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("changed");
    QTest::newRow("up") << 10 << QStringLiteral("up") << QStringLiteral("11") << true;
    QTest::newRow("down") << 10 << QStringLiteral("down") << QStringLiteral("9") << true;
    QTest::newRow("up at the top") << 200 << QStringLiteral("up") << QStringLiteral("200") << false;
    QTest::newRow("down at the bottom")
        << 1 << QStringLiteral("down") << QStringLiteral("1") << false;
    QTest::newRow("down from above the range")
        << 999 << QStringLiteral("down") << QStringLiteral("200") << true;
    QTest::newRow("up from below the range")
        << -5 << QStringLiteral("up") << QStringLiteral("1") << true;
  }
  void Arrows() {
    QFETCH(int, count);
    QFETCH(QString, arrow);
    QFETCH(QString, shown);
    QFETCH(bool, changed);
    settings::Settings s = Custom();
    s.PreviewCount = count;
    Open(s);
    CountBox()->findChild<QToolButton*>(arrow)->click();
    QCOMPARE(CountBox()->text(), shown);
    QCOMPARE(ApplyEnabled(), changed);
  }

  // A stored count longer than the box takes is shown whole and kept.
  void LongStoredCountKept() {
    for (int count : {1000, -100, 2147483647}) {
      settings::Settings s = Custom();
      s.PreviewCount = count;
      Open(s);
      QCOMPARE(CountBox()->text(), QString::number(count));
      Click("自动预览选择框");
      Click("确定按钮");
      QCOMPARE(settings_.PreviewCount, count);
    }
  }

  void Colours_data() {
    QTest::addColumn<QString>("picker");
    QTest::addColumn<QColor>("chosen");  // invalid: the colour dialog is cancelled
    QTest::addColumn<int>("back");
    QTest::addColumn<int>("text");
    const QString back = QStringLiteral("超级列表框背景颜色选择器");
    const QString text = QStringLiteral("超级列表框字体颜色选择器");
    QTest::newRow("background") << back << QColor(1, 2, 3) << 0x030201 << 0x102030;
    QTest::newRow("text") << text << QColor(255, 0, 0) << 0x405060 << 0x0000FF;
    QTest::newRow("cancelled") << back << QColor() << 0x405060 << 0x102030;
    QTest::newRow("same colour") << text << QColor(0x30, 0x20, 0x10) << 0x405060 << 0x102030;
  }
  void Colours() {
    QFETCH(QString, picker);
    QFETCH(QColor, chosen);
    QFETCH(int, back);
    QFETCH(int, text);
    Open(Custom());
    // COLORREF keeps red in the low byte.
    QCOMPARE(SwatchCentre(Picker(QStringLiteral("超级列表框背景颜色选择器"))),
             QColor(0x60, 0x50, 0x40));
    QCOMPARE(SwatchCentre(Picker(QStringLiteral("超级列表框字体颜色选择器"))),
             QColor(0x30, 0x20, 0x10));
    if (chosen.isValid()) dialogs_.NextColor = chosen;
    Picker(picker)->click();
    const bool changed = back != Custom().BackColor || text != Custom().TextColor;
    QCOMPARE(ApplyEnabled(), changed);
    if (changed) QCOMPARE(SwatchCentre(Picker(picker)), chosen);
    QCOMPARE(settings_, Custom());
    Click("确定按钮");
    QCOMPARE(settings_.BackColor, back);
    QCOMPARE(settings_.TextColor, text);
    QCOMPARE(applied_, changed ? 1 : 0);
  }

  // A stored colour's unused top byte survives a window that changed something else.
  void ColourTopByteKept() {
    settings::Settings s = Custom();
    s.BackColor = 0x7F405060;
    Open(s);
    QCOMPARE(SwatchCentre(Picker(QStringLiteral("超级列表框背景颜色选择器"))),
             QColor(0x60, 0x50, 0x40));
    Click("自动预览选择框");
    Click("确定按钮");
    QCOMPARE(settings_.BackColor, 0x7F405060);
  }

  void OnlyItsButtonsClose() {
    Open(Custom());
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    QVERIFY(window_->isVisible());
    QTest::keyClick(CountBox(), Qt::Key_Escape);
    QVERIFY(window_->isVisible());
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    Click("取消按钮");
    QVERIFY(!window_->isVisible());
    QCOMPARE(window_->result(), int(QDialog::Rejected));
    QCOMPARE(applied_, 0);
  }

  // The menu item opens the window over the main window; OK runs the window's ApplySettings.
  void OpenedFromMainWindow() {
    TempDir home;
    AppState state;
    state.ConfigPath = home.Path() + "config.ini";
    state.LastDirPath = home.Path() + "dir.txt";
    FakeDialogs dialogs;
    MainWindow main(state, dialogs);
    main.show();
    QAction* action = main.MenuAction(QStringLiteral("设置菜单"));
    QVERIFY(action);
    QVERIFY(action->isEnabled());
    auto* pane = main.findChild<QLabel*>(QStringLiteral("状态条窗格2"));
    QVERIFY(pane);
    QCOMPARE(pane->text(), QStringLiteral("自动预览－关"));

    QString seen;
    QWidget* seenParent = nullptr;
    QPoint offCentre;
    QTimer::singleShot(0, this, [&] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!modal) return;
      seen = modal->objectName();
      seenParent = modal->parentWidget();
      offCentre = modal->frameGeometry().center() - main.frameGeometry().center();
      auto* check = modal->findChild<QAbstractButton*>(QStringLiteral("自动预览选择框"));
      auto* ok = modal->findChild<QAbstractButton*>(QStringLiteral("确定按钮"));
      if (!check || !ok) return modal->done(QDialog::Rejected);
      check->click();
      ok->click();
    });
    action->trigger();
    QCOMPARE(seen, QStringLiteral("SettingsWindow"));
    QCOMPARE(seenParent, &main);
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    QCOMPARE(state.Settings.AutoPreview, 1);
    QCOMPARE(pane->text(), QStringLiteral("自动预览－开"));
  }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
