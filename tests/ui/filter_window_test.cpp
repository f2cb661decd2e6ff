// The filter window over a real main window.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>
#include <memory>

#include "fake_dialogs.h"
#include "support/temp_dir.h"
#include "ui/filter_window.h"
#include "ui/main_window.h"

class FilterWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> home_;
  std::unique_ptr<AppState> state_;
  FakeDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<FilterWindow> filter_;

  // A main window listing the names, and its filter window.
  void Open(const std::vector<std::string>& names) {
    home_ = std::make_unique<TempDir>();
    state_ = std::make_unique<AppState>();
    state_->ConfigPath = home_->Path() + "config.ini";
    state_->LastDirPath = home_->Path() + "dir.txt";
    window_ = std::make_unique<MainWindow>(*state_, dialogs_);
    // Names the open dialog returns; the files need not exist to be listed.
    dialogs_.NextFiles.clear();
    for (const auto& name : names) dialogs_.NextFiles << QString::fromStdString("/d/" + name);
    window_->AddFiles();
    state_->Workspace.Commands.Undo = true;
    filter_ = std::make_unique<FilterWindow>(
        dialogs_,
        [this](const core::FilterInput& input) {
          return core::ApplyFilter(state_->Workspace, input, 0);
        },
        window_.get());
    filter_->show();
  }
  template <typename T>
  T* Find(const char* name) {
    return filter_->findChild<T*>(QString::fromUtf8(name));
  }

 private slots:
  void cleanup() {
    filter_.reset();
    window_.reset();
  }

  void StartState() {
    Open({"a.txt"});
    QCOMPARE(filter_->windowTitle(), QStringLiteral("过滤设置"));
    QCOMPARE(Find<QComboBox>("操作方式组合框")->currentText(), QStringLiteral("删除"));
    QVERIFY(Find<QRadioButton>("扩展名单选框")->isChecked());
    QVERIFY(Find<QComboBox>("扩展名组合框")->isEnabled());
    QVERIFY(Find<QLineEdit>("包含内容编辑框")->isEnabled());
    QVERIFY(Find<QCheckBox>("过滤完成后关闭对话框选择框")->isChecked());
    QCOMPARE(Find<QComboBox>("扩展名组合框")->count(), 16);
    Find<QRadioButton>("包含内容单选框")->click();
    QVERIFY(!Find<QComboBox>("扩展名组合框")->isEnabled());
    Find<QRadioButton>("扩展名单选框")->click();
    QVERIFY(!Find<QLineEdit>("包含内容编辑框")->isEnabled());
  }

  void KeepByExtensionAndClose() {
    Open({"a.MP3", "b.mp3", "c.txt", "d"});
    Find<QComboBox>("操作方式组合框")->setCurrentIndex(1);
    Find<QComboBox>("扩展名组合框")->setCurrentText(QStringLiteral("mp3"));
    filter_->Accept();
    QCOMPARE(state_->Workspace.List.OldNames, (std::vector<std::string>{"a.MP3", "b.mp3"}));
    QVERIFY(!filter_->isVisible());
    QVERIFY(dialogs_.Messages.isEmpty());
  }

  void StaysOpenWhenAskedAndFiltersAgain() {
    Open({"a.txt", "b.txt", "c.doc"});
    Find<QCheckBox>("过滤完成后关闭对话框选择框")->setChecked(false);
    Find<QRadioButton>("包含内容单选框")->click();
    Find<QLineEdit>("包含内容编辑框")->setText(QStringLiteral("A"));
    filter_->Accept();
    QVERIFY(filter_->isVisible());
    QCOMPARE(state_->Workspace.List.FileCount(), 2);
    Find<QLineEdit>("包含内容编辑框")->setText(QStringLiteral("doc"));
    filter_->Accept();
    QCOMPARE(state_->Workspace.List.OldNames, (std::vector<std::string>{"b.txt"}));
  }

  void RefusalsSayWhyAndStayOpen() {
    Open({"a.txt"});
    Find<QComboBox>("操作方式组合框")->setEditText(QStringLiteral("随便"));
    filter_->Accept();
    QCOMPARE(dialogs_.Messages.size(), 1);
    QCOMPARE(dialogs_.Messages[0].Text, QStringLiteral("请选择操作方式！"));
    QCOMPARE(dialogs_.Messages[0].Title, QStringLiteral("过滤设置"));
    QCOMPARE(dialogs_.Messages[0].Icon, QMessageBox::Warning);
    Find<QComboBox>("操作方式组合框")->setCurrentIndex(0);
    filter_->Accept();
    QCOMPARE(dialogs_.Messages.last().Text, QStringLiteral("扩展名不能空！"));
    QVERIFY(filter_->isVisible());
    QCOMPARE(state_->Workspace.List.FileCount(), 1);
  }

  void FilteringEverythingAwayKeepsUndo() {
    Open({"a.txt"});
    Find<QComboBox>("扩展名组合框")->setCurrentText(QStringLiteral("txt"));
    filter_->Accept();
    QCOMPARE(state_->Workspace.List.FileCount(), 0);
    QVERIFY(state_->Workspace.Commands.Undo);
    QVERIFY(!state_->Workspace.Commands.Rename);
  }

  void MenuItemOpensTheFilter() {
    Open({"a.txt"});
    filter_.reset();
    QTimer::singleShot(0, this, [] {
      auto* open = qobject_cast<FilterWindow*>(QApplication::activeModalWidget());
      QVERIFY(open);
      open->findChild<QComboBox*>(QStringLiteral("扩展名组合框"))
          ->setCurrentText(QStringLiteral("txt"));
      open->Accept();
    });
    window_->PrepareListMenu();
    QVERIFY(window_->MenuAction(QStringLiteral("过滤菜单"))->isEnabled());
    window_->MenuAction(QStringLiteral("过滤菜单"))->trigger();
    QCOMPARE(state_->Workspace.List.FileCount(), 0);
    QCOMPARE(window_->findChild<QTableView*>(QStringLiteral("显示超级列表框"))->model()->rowCount(),
             0);
  }
};

QTEST_MAIN(FilterWindowTest)
#include "filter_window_test.moc"
