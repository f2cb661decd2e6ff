// The tag editor driven as a user would, on real MP3 bytes in a temporary directory.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "fake_dialogs.h"
#include "platform/file.h"
#include "settings/last_directory.h"
#include "support/temp_dir.h"
#include "tags/id3v1.h"
#include "tags/id3v2_read.h"
#include "tags/tag_bytes.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/tag_editor_window.h"

using namespace tagtest;

namespace {

const QString kCaption = QStringLiteral("Corvane批量修改文件名工具");
const QString kHome = QStringLiteral("https://corvane.org/");
const std::string kZhongWen = "\xD6\xD0\xCE\xC4";  // two double-byte characters
const std::string kAudio = Audio(4000, 3);

std::string V2Tag(const std::string& frames) {
  return Tag(3, frames, 200);
}

tags::TagRecord ReadV1(const std::string& bytes) {
  platform::MemoryFile file(bytes);
  tags::TagRecord record;
  if (!tags::ReadId3v1(file, record)) record.Title = "(no tag)";
  return record;
}

tags::TagRecord ReadV2(const std::string& bytes) {
  platform::MemoryFile file(bytes);
  tags::TagRecord record;
  if (!tags::ReadId3v2(file, record)) record.Title = "(no tag)";
  return record;
}

// Types text as a user would: ASCII from the keyboard, Chinese committed by an input
// method one character at a time.
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(widget, &commit);
    }
  }
}

// A double click as the mouse gives it: press, release, double click, release.
void DoubleClick(QTableView* list, int row) {
  const QPoint pos = list->visualRect(list->model()->index(row, 0)).center();
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, pos);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, pos);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, pos);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, pos);
}

// The TCON text as stored, genre numbers and all.
std::string StoredGenre(const std::string& bytes) {
  auto header = tags::ParseId3v2Header(bytes.substr(0, 10));
  if (!header) return "(no tag)";
  return tags::ReadFrameText(bytes.substr(0, static_cast<std::size_t>(header->Length())), "TCON");
}

}  // namespace

class TagEditorWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> dir_;
  FakeDialogs dialogs_;
  std::unique_ptr<TagEditorWindow> editor_;
  std::string name_;

  // Opens the editor on a file with these bytes.
  void Open(const std::string& bytes, const std::string& name = "song.mp3") {
    editor_.reset();
    name_ = name;
    std::string path = dir_->Write(name, bytes);
    editor_ = std::make_unique<TagEditorWindow>(QString::fromStdString(path), dialogs_);
    QVERIFY(editor_->Loaded());
    editor_->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
  }
  std::string FileBytes() { return dir_->Read(name_); }

  template <typename T>
  T* Find(const char* name) {
    T* widget = editor_->findChild<T*>(QString::fromUtf8(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
  QComboBox* Combo(const char* name) { return Find<QComboBox>(name); }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    Type(edit, text);
  }

 private slots:
  void init() {
    dir_ = std::make_unique<TempDir>();
    dialogs_ = FakeDialogs();
  }
  void cleanup() {
    editor_.reset();
    dir_.reset();
  }

  void WindowAndStartingState() {
    Open(kAudio);
    QCOMPARE(editor_->objectName(), QStringLiteral("TagEditorWindow"));
    QCOMPARE(editor_->windowTitle(), QStringLiteral("MP3标签信息"));
    QCOMPARE(editor_->size(), QSize(564, 384));
    QCOMPARE(editor_->minimumSize(), editor_->maximumSize());
    QVERIFY(!(editor_->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(editor_->windowFlags() & Qt::WindowSystemMenuHint));
    QCOMPARE(Edit("MP3文件名编辑框")->text(), QString::fromStdString(dir_->Path() + "song.mp3"));
    QVERIFY(Edit("MP3文件名编辑框")->isReadOnly());
    QCOMPARE(Check("ID3v1选择框")->text(), QStringLiteral("ID3v1 标签"));
    QCOMPARE(Check("ID3v2选择框")->text(), QStringLiteral("ID3v2 标签"));
    QCOMPARE(Edit("URL编辑框")->text(), kHome);
    QCOMPARE(Edit("歌曲名2编辑框")->text(), QString());
    QVERIFY(!Button("更新按钮")->isEnabled());
    QCOMPARE(Button("v1复制到v2按钮")->text(), QStringLiteral("ID3v1 复制到 ID3v2"));
    QCOMPARE(Button("v2复制到v1按钮")->text(), QStringLiteral("ID3v2 复制到 ID3v1"));
    QCOMPARE(Button("关闭按钮")->text(), QStringLiteral("关闭"));
    for (const char* name : {"注释1编辑框", "注释2编辑框"}) QVERIFY(Find<QPlainTextEdit>(name));
    for (const char* name :
         {"歌曲名1编辑框", "艺术家1编辑框", "专辑1编辑框", "年代1编辑框", "音轨1编辑框",
          "艺术家2编辑框", "专辑2编辑框", "年代2编辑框", "音轨2编辑框", "版权编辑框",
          "作曲家编辑框", "原创者编辑框", "编码者编辑框"}) {
      QVERIFY2(Edit(name)->text().isEmpty(), name);
    }
    // Both genre lists: the fixed order, each item carrying its genre number.
    for (const char* name : {"流派1组合框", "流派2组合框"}) {
      QComboBox* genre = Combo(name);
      QCOMPARE(genre->count(), 126);
      QCOMPARE(genre->currentIndex(), -1);
      QCOMPARE(genre->itemText(0), QStringLiteral("A capella"));
      QCOMPARE(genre->itemData(0).toInt(), 123);
      QCOMPARE(genre->itemText(14), QStringLiteral("Blues"));
      QCOMPARE(genre->itemData(14).toInt(), 0);
      QCOMPARE(genre->itemText(125), QStringLiteral("Vocal"));
      QCOMPARE(genre->itemData(125).toInt(), 28);
    }
    QVERIFY(!Combo("流派1组合框")->isEditable());
    QVERIFY(Combo("流派2组合框")->isEditable());
  }

  void FilledFromBothTags() {
    Open(V2Tag(Frame23("TIT2", Latin("Song")) + Frame23("TCON", Latin("(17)")) +
               Frame23("TCOM", Latin(kZhongWen))) +
         kAudio + Id3v1("Title", "Artist", "Album", "1999", "note", 0, 200, 17));
    QVERIFY(Check("ID3v1选择框")->isChecked());
    QVERIFY(Check("ID3v2选择框")->isChecked());
    QCOMPARE(Edit("歌曲名1编辑框")->text(), QStringLiteral("Title"));
    // A program text is shown whole, whatever the box lets the user type.
    QCOMPARE(Edit("音轨1编辑框")->text(), QStringLiteral("200"));
    QCOMPARE(Find<QPlainTextEdit>("注释1编辑框")->toPlainText(), QStringLiteral("note"));
    QCOMPARE(Combo("流派1组合框")->currentData().toInt(), 17);
    QCOMPARE(Edit("作曲家编辑框")->text(), QStringLiteral("中文"));
    QCOMPARE(Combo("流派2组合框")->currentText(), QStringLiteral("Rock"));
    QCOMPARE(Combo("流派2组合框")->currentIndex(), -1);
    QCOMPARE(Edit("URL编辑框")->text(), QString());
    QVERIFY(!Button("更新按钮")->isEnabled());
    // Both groups were filled, so both count as changed.
    QVERIFY(editor_->Model().ChangedV1);
    QVERIFY(editor_->Model().ChangedV2);
  }

  void GenreByte_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("index");
    QTest::newRow("17 Rock") << 17 << 100;
    QTest::newRow("0 Blues") << 0 << 14;
    QTest::newRow("200 none") << 200 << -1;
    QTest::newRow("255 none") << 255 << -1;
  }
  void GenreByte() {
    QFETCH(int, byte);
    QFETCH(int, index);
    Open(kAudio + Id3v1("t", "", "", "", "", 0, 0, byte));
    QCOMPARE(Combo("流派1组合框")->currentIndex(), index);
    if (index >= 0) QCOMPARE(Combo("流派1组合框")->currentData().toInt(), byte);
  }

  void Id3v2OnlyGreysTheId3v1Group() {
    Open(V2Tag(Frame23("TIT2", Latin("Song"))) + kAudio);
    QVERIFY(!Check("ID3v1选择框")->isChecked());
    for (const char* name : {"歌曲名1编辑框", "艺术家1编辑框", "音轨1编辑框"}) {
      QVERIFY2(!Edit(name)->isEnabled(), name);
      QCOMPARE(Edit(name)->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    }
    auto* comment1 = Find<QPlainTextEdit>("注释1编辑框");
    QVERIFY(!comment1->isEnabled());
    QCOMPARE(comment1->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(!Combo("流派1组合框")->isEnabled());
    QVERIFY(!Button("v1复制到v2按钮")->isEnabled());
    QVERIFY(!Button("更新按钮")->isEnabled());
    QVERIFY(Edit("歌曲名2编辑框")->isEnabled());
    QCOMPARE(Edit("歌曲名2编辑框")->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(Button("v2复制到v1按钮")->isEnabled());

    // Ticking the group brings it back and allows an update, but is no change by itself.
    Click(Check("ID3v1选择框"));
    QVERIFY(Edit("歌曲名1编辑框")->isEnabled());
    QCOMPARE(Edit("歌曲名1编辑框")->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(Combo("流派1组合框")->isEnabled());
    QVERIFY(Button("v1复制到v2按钮")->isEnabled());
    QVERIFY(Button("更新按钮")->isEnabled());
    QVERIFY(!editor_->Model().ChangedV1);
    // Unticking ID3v2 greys it and its copy button.
    Click(Check("ID3v2选择框"));
    QVERIFY(!Edit("URL编辑框")->isEnabled());
    QVERIFY(!Combo("流派2组合框")->isEnabled());
    QVERIFY(!Button("v2复制到v1按钮")->isEnabled());
  }

  void UncheckingId3v1RemovesTheTagSilently() {
    Open(kAudio + Id3v1("Title"));
    Click(Check("ID3v1选择框"));
    Click(Button("更新按钮"));
    QCOMPARE(FileBytes(), kAudio);
    QCOMPARE(dialogs_.Messages.size(), 0);
  }

  void TickingAnUntouchedGroupWritesNothingInAnyOpening() {
    // An earlier opening with edits in both groups must not carry over.
    Open(V2Tag(Frame23("TIT2", Latin("Song"))) + kAudio + Id3v1("Title"), "first.mp3");
    QTest::keyClicks(Edit("歌曲名1编辑框"), QStringLiteral("x"));
    QTest::keyClicks(Edit("歌曲名2编辑框"), QStringLiteral("x"));
    Click(Button("关闭按钮"));

    Open(kAudio, "second.mp3");
    Click(Check("ID3v1选择框"));
    Click(Check("ID3v2选择框"));
    Click(Button("更新按钮"));
    QCOMPARE(FileBytes(), kAudio);
    QCOMPARE(dialogs_.Messages.size(), 0);
  }

  void CopyV2ToV1_data() {
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("cut");
    const std::string ascii40(40, 'a');
    const std::string straddling = std::string(29, 'b') + kZhongWen;
    QTest::newRow("40 bytes") << QByteArray::fromStdString(ascii40)
                              << QByteArray::fromStdString(ascii40.substr(0, 30));
    QTest::newRow("byte 30 inside a character")
        << QByteArray::fromStdString(straddling)
        << QByteArray::fromStdString(straddling.substr(0, 29));
  }
  void CopyV2ToV1() {
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, cut);
    Open(V2Tag(Frame23("TIT2", Latin(title.toStdString())) + Frame23("TRCK", Latin("12/15")) +
               Frame23("TCON", Latin("Rock")) + Frame23("TCOP", Latin("(C)"))) +
         kAudio);
    Click(Button("v2复制到v1按钮"));
    QVERIFY(Check("ID3v1选择框")->isChecked());
    QVERIFY(Edit("歌曲名1编辑框")->isEnabled());
    QVERIFY(Button("v1复制到v2按钮")->isEnabled());
    QVERIFY(Button("更新按钮")->isEnabled());
    QCOMPARE(FromQString(Edit("歌曲名1编辑框")->text()), cut.toStdString());
    QCOMPARE(Edit("音轨1编辑框")->text(), QStringLiteral("12/15"));
    // The file's genre text was not picked from the list, yet it names its item.
    QCOMPARE(Combo("流派1组合框")->currentData().toInt(), 17);

    Click(Button("更新按钮"));
    QCOMPARE(dialogs_.Messages.size(), 2);
    QCOMPARE(dialogs_.Messages[0].Text, QStringLiteral("ID3v1标签更新成功！"));
    QCOMPARE(dialogs_.Messages[0].Title, kCaption);
    QCOMPARE(dialogs_.Messages[0].Icon, QMessageBox::NoIcon);
    QCOMPARE(dialogs_.Messages[1].Text, QStringLiteral("ID3v2标签更新成功！"));
    tags::TagRecord v1 = ReadV1(FileBytes());
    QCOMPARE(v1.Title, cut.toStdString());
    QCOMPARE(v1.Track, std::string("12"));
    QCOMPARE(v1.Genre, std::string("17"));
  }

  void CopyV1ToV2CreatesATagWithTheStartingUrl() {
    Open(kAudio + Id3v1(kZhongWen, "Artist", "", "2004", "", 0, 7, 17));
    Click(Button("v1复制到v2按钮"));
    QVERIFY(Check("ID3v2选择框")->isChecked());
    QCOMPARE(Edit("歌曲名2编辑框")->text(), QStringLiteral("中文"));
    QCOMPARE(Edit("音轨2编辑框")->text(), QStringLiteral("7"));
    QCOMPARE(Combo("流派2组合框")->currentIndex(), 100);
    QCOMPARE(Edit("URL编辑框")->text(), kHome);
    Click(Button("更新按钮"));
    const std::string bytes = FileBytes();
    tags::TagRecord v2 = ReadV2(bytes);
    QCOMPARE(v2.Title, kZhongWen);
    QCOMPARE(v2.Artist, std::string("Artist"));
    QCOMPARE(v2.Year, std::string("2004"));
    QCOMPARE(v2.Url, FromQString(kHome));
    QCOMPARE(StoredGenre(bytes), std::string("(17)Rock"));
    QVERIFY(bytes.find(kAudio) != std::string::npos);
  }

  void UpdateKeepsAudioAndOtherFrames() {
    const std::string picture =
        Frame23("APIC", Bytes({0}) + "image/png" + Bytes({0, 3, 0}) + Audio(900, 5));
    const std::string v1 = Id3v1("Title", "Artist", "", "", "", 0, 3, 17);
    Open(V2Tag(Frame23("TIT2", Latin("Old")) + picture +
               Frame23("COMM", Bytes({0}) + "eng" + Bytes({0}) + "one\r\ntwo")) +
         kAudio + v1);
    Retype(Edit("歌曲名2编辑框"), QStringLiteral("新歌"));
    Click(Button("更新按钮"));
    QCOMPARE(dialogs_.Messages.size(), 2);
    const std::string bytes = FileBytes();
    QVERIFY(bytes.find(picture) != std::string::npos);
    QCOMPARE(bytes.substr(bytes.size() - 128 - kAudio.size(), kAudio.size()), kAudio);
    QCOMPARE(bytes.substr(bytes.size() - 128), v1);
    tags::TagRecord v2 = ReadV2(bytes);
    QCOMPARE(v2.Title, std::string("\xD0\xC2\xB8\xE8"));
    // The untouched comment goes back with its own line ends.
    QCOMPARE(v2.Comment, std::string("one\r\ntwo"));
  }

  void UntouchedTextsGoBackByteForByte() {
    // A title another program cut inside a character: no character shows for its last
    // byte, yet an update leaves the byte as it was.
    const std::string v1 = Id3v1("abc\xB8", "Artist", "", "", "", 0, 0, 255);
    Open(kAudio + v1);
    QTest::keyClicks(Edit("艺术家1编辑框"), QStringLiteral("s"));
    Click(Button("更新按钮"));
    tags::TagRecord back = ReadV1(FileBytes());
    QCOMPARE(back.Title, std::string("abc\xB8"));
    QCOMPARE(back.Artist, std::string("Artists"));
  }

  void Id3v2GenreTexts() {
    Open(V2Tag(Frame23("TIT2", Latin("Song")) + Frame23("TCON", Latin("Chiptune"))) + kAudio);
    QCOMPARE(Combo("流派2组合框")->currentText(), QStringLiteral("Chiptune"));
    Retype(Edit("歌曲名2编辑框"), QStringLiteral("Other song"));
    Click(Button("更新按钮"));
    QCOMPARE(StoredGenre(FileBytes()), std::string("Chiptune"));

    // Typed into the box: written as typed.
    QLineEdit* genreEdit = Combo("流派2组合框")->lineEdit();
    Retype(genreEdit, QStringLiteral("中文 Rock"));
    QTest::keyClick(genreEdit, Qt::Key_Return);
    QCOMPARE(Combo("流派2组合框")->count(), 126);
    Click(Button("更新按钮"));
    QCOMPARE(StoredGenre(FileBytes()), "\xD6\xD0\xCE\xC4 Rock");

    // Picked from the list: stored with its number.
    Combo("流派2组合框")->setFocus();
    QTest::keyClick(Combo("流派2组合框"), Qt::Key_Down);
    QCOMPARE(Combo("流派2组合框")->currentIndex(), 0);
    QCOMPARE(Combo("流派2组合框")->currentText(), QStringLiteral("A capella"));
    Click(Button("更新按钮"));
    QCOMPARE(StoredGenre(FileBytes()), std::string("(123)A capella"));
  }

  void PickingAGenreIsAChange() {
    Open(kAudio);
    Click(Check("ID3v1选择框"));
    QVERIFY(!editor_->Model().ChangedV1);
    QTest::keyClick(Combo("流派1组合框"), Qt::Key_Down);
    QVERIFY(editor_->Model().ChangedV1);
    QVERIFY(!editor_->Model().ChangedV2);
    Click(Button("更新按钮"));
    QCOMPARE(ReadV1(FileBytes()).Genre, std::string("123"));
  }

  void TypingLimits_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    const QString x35(35, QLatin1Char('x'));
    QTest::newRow("title 30 bytes") << "歌曲名1编辑框" << x35 << QString(30, QLatin1Char('x'));
    QTest::newRow("artist whole characters")
        << "艺术家1编辑框" << QString(16, QChar(0x4E2D)) << QString(15, QChar(0x4E2D));
    QTest::newRow("year 4 bytes") << "年代1编辑框"
                                  << "19999"
                                  << "1999";
    QTest::newRow("track digits and -") << "音轨1编辑框"
                                        << "1a/-9"
                                        << "1-";
    QTest::newRow("ID3v2 track 2 bytes") << "音轨2编辑框"
                                         << "12/15"
                                         << "12";
    QTest::newRow("ID3v2 title unlimited") << "歌曲名2编辑框" << x35 << x35;
    QTest::newRow("comment 30 bytes") << "注释1编辑框" << x35 << QString(30, QLatin1Char('x'));
    QTest::newRow("ID3v2 comment unlimited") << "注释2编辑框" << x35 << x35;
  }
  void TypingLimits() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Open(V2Tag(Frame23("TIT2", Latin("Song"))) + kAudio + Id3v1("Title"));
    QWidget* widget = editor_->findChild<QWidget*>(box);
    QVERIFY(widget);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) line->clear();
    Type(widget, typed);
    auto* plain = qobject_cast<QPlainTextEdit*>(widget);
    QCOMPARE(plain ? plain->toPlainText() : static_cast<QLineEdit*>(widget)->text(), kept);
    QVERIFY(Button("更新按钮")->isEnabled());
  }

  void UpdateReportsAFileThatCannotBeOpened() {
    Open(V2Tag(Frame23("TIT2", Latin("Song"))) + kAudio + Id3v1("Title"));
    Click(Check("ID3v2选择框"));
    QVERIFY(QFile::remove(QString::fromStdString(dir_->Path() + name_)));
    Click(Button("更新按钮"));
    QCOMPARE(dialogs_.Messages.size(), 1);
    QCOMPARE(dialogs_.Messages[0].Text, QStringLiteral("ID3v1标签更新失败！\n删除ID3v2标签失败！"));
    QCOMPARE(dialogs_.Messages[0].Title, kCaption);
    QCOMPARE(dialogs_.Messages[0].Icon, QMessageBox::Critical);
  }

  void OpenFailureShowsTheErrorOnly() {
    const QString path = QString::fromStdString(dir_->Path()) + QStringLiteral("没有.mp3");
    TagEditorWindow editor(path, dialogs_);
    QVERIFY(!editor.Loaded());
    QCOMPARE(dialogs_.Messages.size(), 1);
    QCOMPARE(dialogs_.Messages[0].Text,
             QStringLiteral("打开文件：") + path + QStringLiteral("失败！"));
    QCOMPARE(dialogs_.Messages[0].Title, QStringLiteral("错误"));
    QCOMPARE(dialogs_.Messages[0].Icon, QMessageBox::Critical);
  }

  void OnlyItsButtonsCloseIt() {
    Open(kAudio + Id3v1("Title"));
    QTest::keyClick(editor_.get(), Qt::Key_Escape);
    QVERIFY(editor_->isVisible());
    // Enter in a box presses no button either.
    QTest::keyClick(Edit("歌曲名1编辑框"), Qt::Key_Return);
    QVERIFY(editor_->isVisible());
    QVERIFY(!Check("ID3v2选择框")->isChecked());
    QCOMPARE(dialogs_.Messages.size(), 0);
    Click(Button("关闭按钮"));
    QVERIFY(!editor_->isVisible());
  }

  // ---- Opening from the main window

  void MainWindowOpensTheEditorForMp3RowsOnly() {
    TempDir home;
    AppState state;
    state.ConfigPath = home.Path() + "config.ini";
    state.LastDirPath = home.Path() + "dir.txt";
    MainWindow window(state, dialogs_);
    window.show();
    const std::string mp3 = dir_->Write("b.MP3", V2Tag(Frame23("TIT2", Latin("Song"))) + kAudio);
    dialogs_.NextFiles = {QString::fromStdString(dir_->Write("a.txt", "text")),
                          QString::fromStdString(mp3)};
    window.AddFiles();
    auto* list = window.findChild<QTableView*>(QStringLiteral("显示超级列表框"));
    QCOMPARE(list->model()->rowCount(), 2);
    QAction* item = window.MenuAction(QStringLiteral("MP3标签信息菜单"));

    window.PrepareListMenu();
    QVERIFY(!item->isEnabled());

    // Not an MP3: the menu item says so, a double click does nothing.
    list->selectRow(0);
    window.PrepareListMenu();
    QVERIFY(item->isEnabled());
    item->trigger();
    QCOMPARE(dialogs_.Messages.size(), 1);
    QCOMPARE(dialogs_.Messages[0].Text, QStringLiteral("抱歉，该文件不是MP3文件！"));
    QCOMPARE(dialogs_.Messages[0].Title, kCaption);
    QCOMPARE(dialogs_.Messages[0].Icon, QMessageBox::Warning);
    QSignalSpy doubleClicks(list, &QAbstractItemView::doubleClicked);
    DoubleClick(list, 0);
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(dialogs_.Messages.size(), 1);
    QCOMPARE(dialogs_.OpenFilesCalls, 1);

    // An MP3 row (upper-case extension) opens the editor on its full path, from the
    // menu and from a double click.
    QStringList opened;
    auto closeEditor = [&] {
      if (auto* editor = qobject_cast<TagEditorWindow*>(QApplication::activeModalWidget())) {
        opened << editor->findChild<QLineEdit*>(QStringLiteral("MP3文件名编辑框"))->text();
        editor->findChild<QPushButton*>(QStringLiteral("关闭按钮"))->click();
      }
    };
    list->selectRow(1);
    QTimer::singleShot(0, this, closeEditor);
    item->trigger();
    QTimer::singleShot(0, this, closeEditor);
    DoubleClick(list, 1);
    QCOMPARE(doubleClicks.size(), 2);
    QCOMPARE(opened, QStringList({QString::fromStdString(mp3), QString::fromStdString(mp3)}));
    QCOMPARE(dialogs_.Messages.size(), 1);
  }
};

QTEST_MAIN(TagEditorWindowTest)
#include "tag_editor_window_test.moc"
