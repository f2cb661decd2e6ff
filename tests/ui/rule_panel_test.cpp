// The rule panel on its own: start state, what reaches the rules' input records,
// the numeric and length limits of its boxes, and which events ask for a preview.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>

#include "core/rule_inputs.h"
#include "ui/qt_text.h"
#include "ui/rule_panel.h"

namespace {

const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);

QColor TextColour(const QWidget* widget) {
  return widget->palette().color(QPalette::WindowText);
}

// Types each character as a key press carrying it; QTest::keyClicks takes ASCII only.
void Type(QWidget* widget, const QString& typed) {
  for (char32_t c : typed.toUcs4()) {
    const QString character = QString::fromUcs4(&c, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
    QCoreApplication::sendEvent(widget, &release);
  }
}

}  // namespace

class RulePanelTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<RulePanel> panel_;

  template <typename T = QWidget>
  T* Find(const QString& name) {
    T* widget = panel_->findChild<T*>(name);
    if (!widget) qWarning("no control %s", qPrintable(name));
    return widget;
  }

  // Focus into the box and away again.
  void FocusInAndOut(QLineEdit* box) {
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    panel_->tabBar()->setFocus();
    QTRY_VERIFY(!box->hasFocus());
  }

  // Shows the page that holds the widget, so that it can take the focus.
  void ShowPageOf(QWidget* widget) {
    for (int i = 0; i < panel_->count(); ++i) {
      if (panel_->widget(i)->isAncestorOf(widget)) panel_->setCurrentIndex(i);
    }
  }

 private slots:
  void initTestCase() {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    QApplication::setFont(font);
  }

  void init() {
    // As the main window makes it.
    panel_ = std::make_unique<RulePanel>();
    panel_->GreyExtensionGroup();
    panel_->RouteSharedHandlers();
    panel_->resize(590, 130);
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
    panel_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel_.get()));
  }

  void cleanup() { panel_.reset(); }

  void startState() {
    QCOMPARE(panel_->objectName(), QStringLiteral("选择夹"));
    QCOMPARE(panel_->count(), 5);
    const QStringList captions = {QStringLiteral("常规"), QStringLiteral("替换/删除"),
                                  QStringLiteral("插入"), QStringLiteral("大小写"),
                                  QStringLiteral("MP3标签")};
    for (int i = 0; i < 5; ++i) QCOMPARE(panel_->tabText(i), captions[i]);
    QCOMPARE(panel_->currentIndex(), 0);
    QVERIFY(Find<QRadioButton>(QStringLiteral("常规文件名单选框"))->isChecked());

    QCOMPARE(TextColour(Find(QStringLiteral("扩展名分组框"))), kGrey);
    for (const QString& label : {QStringLiteral("前缀2标签"), QStringLiteral("新扩展名标签"),
                                 QStringLiteral("扩展名位数标签"), QStringLiteral("后缀2标签")}) {
      QCOMPARE(TextColour(Find(label)), kGrey);
    }
    for (const QString& box :
         {QStringLiteral("扩展名前缀编辑框"), QStringLiteral("新扩展名编辑框"),
          QStringLiteral("扩展名位数调节编辑框"), QStringLiteral("扩展名后缀编辑框")}) {
      QVERIFY(!Find(box)->isEnabled());
    }
    for (const QString& box :
         {QStringLiteral("文件名前缀编辑框"), QStringLiteral("文件名编辑框"),
          QStringLiteral("文件名位数调节编辑框"), QStringLiteral("文件名后缀编辑框")}) {
      QVERIFY(Find(box)->isEnabled());
    }
    QCOMPARE(TextColour(Find(QStringLiteral("文件名标签"))), kBlack);

    // What the controls hold at start is what the rules take as their defaults.
    const core::RuleInputs read = panel_->ReadInputs();
    const core::RuleInputs defaults;
    QCOMPARE(read.Tab, defaults.Tab);
    const core::GeneralRuleInput& g = read.General;
    const core::GeneralRuleInput& dg = defaults.General;
    QVERIFY(g.Scope == dg.Scope);
    for (const auto& [got, want] : {std::pair{g.NamePrefix, dg.NamePrefix},
                                    {g.NameText, dg.NameText},
                                    {g.NameDigits, dg.NameDigits},
                                    {g.NameSuffix, dg.NameSuffix},
                                    {g.ExtPrefix, dg.ExtPrefix},
                                    {g.ExtText, dg.ExtText},
                                    {g.ExtDigits, dg.ExtDigits},
                                    {g.ExtSuffix, dg.ExtSuffix},
                                    {g.Start, dg.Start},
                                    {g.Step, dg.Step},
                                    {read.Replace.FindText, defaults.Replace.FindText},
                                    {read.Replace.ReplaceText, defaults.Replace.ReplaceText},
                                    {read.Insert.NameInsertText, defaults.Insert.NameInsertText},
                                    {read.Insert.ExtInsertText, defaults.Insert.ExtInsertText},
                                    {read.Insert.NamePosition, defaults.Insert.NamePosition},
                                    {read.Insert.ExtPosition, defaults.Insert.ExtPosition}}) {
      QCOMPARE(got, want);
    }
    QCOMPARE(read.Replace.CaseSensitive, defaults.Replace.CaseSensitive);
    QVERIFY(read.Replace.Scope == defaults.Replace.Scope);
    QVERIFY(read.Insert.NameWhere == defaults.Insert.NameWhere);
    QVERIFY(read.Insert.ExtWhere == defaults.Insert.ExtWhere);
    QVERIFY(read.Case.NameCase == defaults.Case.NameCase);
    QVERIFY(read.Case.ExtCase == defaults.Case.ExtCase);

    QVERIFY(ToQString(panel_->ReadInputs().Mp3.Pattern).isEmpty());
    QVERIFY(!panel_->ReadInputs().Mp3.PreferV1);
    QCOMPARE(Find<QComboBox>(QStringLiteral("预定义方案组合框"))->currentIndex(), -1);
    QVERIFY(Find<QLineEdit>(QStringLiteral("参照编辑框"))->isReadOnly());
  }

  void scopeRadios_data() {
    QTest::addColumn<QString>("radio");
    QTest::addColumn<bool>("nameActive");
    QTest::addColumn<bool>("extActive");
    QTest::newRow("extension") << QStringLiteral("常规扩展名单选框") << false << true;
    QTest::newRow("both") << QStringLiteral("常规全部单选框") << true << true;
    QTest::newRow("name") << QStringLiteral("常规文件名单选框") << true << false;
  }

  void scopeRadios() {
    QFETCH(QString, radio);
    QFETCH(bool, nameActive);
    QFETCH(bool, extActive);
    // Start from the other end, so that every row changes something.
    Find<QAbstractButton>(radio == QStringLiteral("常规扩展名单选框")
                              ? QStringLiteral("常规文件名单选框")
                              : QStringLiteral("常规扩展名单选框"))
        ->click();
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    QTest::mouseClick(Find(radio), Qt::LeftButton, {}, QPoint(6, Find(radio)->height() / 2));
    QCOMPARE(preview.count(), 1);

    QCOMPARE(TextColour(Find(QStringLiteral("文件名分组框"))), nameActive ? kBlack : kGrey);
    QCOMPARE(TextColour(Find(QStringLiteral("后缀1标签"))), nameActive ? kBlack : kGrey);
    QCOMPARE(Find(QStringLiteral("文件名编辑框"))->isEnabled(), nameActive);
    QCOMPARE(Find(QStringLiteral("文件名位数调节编辑框"))->isEnabled(), nameActive);
    QCOMPARE(TextColour(Find(QStringLiteral("扩展名分组框"))), extActive ? kBlack : kGrey);
    QCOMPARE(TextColour(Find(QStringLiteral("新扩展名标签"))), extActive ? kBlack : kGrey);
    QCOMPARE(Find(QStringLiteral("新扩展名编辑框"))->isEnabled(), extActive);
    QCOMPARE(Find(QStringLiteral("扩展名后缀编辑框"))->isEnabled(), extActive);

    panel_->GreyExtensionGroup();
    QCOMPARE(TextColour(Find(QStringLiteral("扩展名分组框"))), kGrey);
    QVERIFY(!Find(QStringLiteral("扩展名位数调节编辑框"))->isEnabled());
  }

  void typingRequestsPreview_data() {
    QTest::addColumn<QString>("box");
    for (const QString& name :
         {QStringLiteral("文件名前缀编辑框"), QStringLiteral("起始量编辑框"),
          QStringLiteral("文件名编辑框"), QStringLiteral("文件名位数调节编辑框"),
          QStringLiteral("文件名后缀编辑框"), QStringLiteral("扩展名前缀编辑框"),
          QStringLiteral("新扩展名编辑框"), QStringLiteral("扩展名位数调节编辑框"),
          QStringLiteral("扩展名后缀编辑框"), QStringLiteral("增量编辑框"),
          QStringLiteral("查找内容编辑框"), QStringLiteral("替换为编辑框"),
          QStringLiteral("插入到文件名的字符编辑框"), QStringLiteral("插入到扩展名的字符编辑框"),
          QStringLiteral("插入文件名位置编辑框"), QStringLiteral("插入扩展名位置编辑框"),
          QStringLiteral("MP3命名规则编辑框")}) {
      QTest::newRow(qPrintable(name)) << name;
    }
  }

  void typingRequestsPreview() {
    QFETCH(QString, box);
    Find<QAbstractButton>(QStringLiteral("常规全部单选框"))->click();
    auto* edit = Find<QLineEdit>(box);
    ShowPageOf(edit);
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    Type(edit, QStringLiteral("7"));
    QVERIFY(edit->text().endsWith(QLatin1Char('7')));
    QCOMPARE(preview.count(), 1);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(preview.count(), 2);
  }

  void routingConnectsOnce() {
    // Routing twice must not make one keystroke ask twice.
    panel_->RouteSharedHandlers();
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    Type(Find(QStringLiteral("文件名编辑框")), QStringLiteral("x"));
    QCOMPARE(preview.count(), 1);
    Find<QAbstractButton>(QStringLiteral("流派超级按钮"))->click();
    QCOMPARE(ToQString(panel_->ReadInputs().Mp3.Pattern), QStringLiteral("#6"));

    // Without routing the tagged controls stay silent.
    RulePanel unrouted;
    QSignalSpy quiet(&unrouted, &RulePanel::PreviewRequested);
    Type(unrouted.findChild<QLineEdit*>(QStringLiteral("文件名编辑框")), QStringLiteral("x"));
    Type(unrouted.findChild<QLineEdit*>(QStringLiteral("文件名前缀编辑框")), QStringLiteral("x"));
    QCOMPARE(quiet.count(), 1);
  }

  void clicksRequestPreview_data() {
    QTest::addColumn<QString>("control");
    for (const QString& name :
         {QStringLiteral("区分大小写选择框"), QStringLiteral("仅文件名单选框"),
          QStringLiteral("仅扩展名单选框"), QStringLiteral("替换删除全部单选框"),
          QStringLiteral("插入文件名位置单选框"), QStringLiteral("插入文件名尾单选框"),
          QStringLiteral("插入扩展名位置单选框"), QStringLiteral("插入扩展名尾单选框"),
          QStringLiteral("文件名全部大写单选框"), QStringLiteral("文件名全部小写单选框"),
          QStringLiteral("文件名首字母大写单选框"), QStringLiteral("文件名首字母小写单选框"),
          QStringLiteral("扩展名全部大写单选框"), QStringLiteral("扩展名全部小写单选框"),
          QStringLiteral("扩展名首字母大写单选框"), QStringLiteral("扩展名首字母小写单选框"),
          QStringLiteral("V1优先单选框"), QStringLiteral("V2优先单选框")}) {
      QTest::newRow(qPrintable(name)) << name;
    }
  }

  void clicksRequestPreview() {
    QFETCH(QString, control);
    auto* button = Find<QAbstractButton>(control);
    ShowPageOf(button);
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QVERIFY(button->isChecked());
    QCOMPARE(preview.count(), 1);
    // A click on a radio button that is already chosen still counts.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QCOMPARE(preview.count(), 2);
  }

  void pageChangeRequestsPreview() {
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    for (int page = 1; page < 5; ++page) {
      panel_->setCurrentIndex(page);
      QCOMPARE(preview.count(), page);
      QCOMPARE(panel_->ReadInputs().Tab, page);
    }
  }

  void readInputsReadsEveryControl() {
    // 中 is D6 D0 in GBK, 文 is CE C4.
    const std::string zhong = "\xD6\xD0";
    const std::string wen = "\xCE\xC4";
    Find<QAbstractButton>(QStringLiteral("常规全部单选框"))->click();
    const std::pair<QString, QString> texts[] = {
        {QStringLiteral("文件名前缀编辑框"), QStringLiteral("中p")},
        {QStringLiteral("文件名编辑框"), QStringLiteral("中n")},
        {QStringLiteral("文件名位数调节编辑框"), QStringLiteral("3")},
        {QStringLiteral("文件名后缀编辑框"), QStringLiteral("中s")},
        {QStringLiteral("扩展名前缀编辑框"), QStringLiteral("文p")},
        {QStringLiteral("新扩展名编辑框"), QStringLiteral("文n")},
        {QStringLiteral("扩展名位数调节编辑框"), QStringLiteral("-2")},
        {QStringLiteral("扩展名后缀编辑框"), QStringLiteral("文s")},
        {QStringLiteral("起始量编辑框"), QStringLiteral("10")},
        {QStringLiteral("增量编辑框"), QStringLiteral("-1")},
        {QStringLiteral("查找内容编辑框"), QStringLiteral("中f")},
        {QStringLiteral("替换为编辑框"), QStringLiteral("中r")},
        {QStringLiteral("插入到文件名的字符编辑框"), QStringLiteral("文x")},
        {QStringLiteral("插入到扩展名的字符编辑框"), QStringLiteral("文y")},
        {QStringLiteral("插入文件名位置编辑框"), QStringLiteral("4")},
        {QStringLiteral("插入扩展名位置编辑框"), QStringLiteral("5")},
    };
    for (const auto& [name, value] : texts) Find<QLineEdit>(name)->setText(value);
    for (const QString& name :
         {QStringLiteral("区分大小写选择框"), QStringLiteral("替换删除全部单选框"),
          QStringLiteral("插入文件名尾单选框"), QStringLiteral("插入扩展名尾单选框"),
          QStringLiteral("文件名首字母小写单选框"), QStringLiteral("扩展名全部小写单选框")}) {
      Find<QAbstractButton>(name)->click();
    }
    panel_->setCurrentIndex(3);

    const core::RuleInputs in = panel_->ReadInputs();
    QCOMPARE(in.Tab, 3);
    QVERIFY(in.General.Scope == core::Scope::Both);
    QCOMPARE(in.General.NamePrefix, zhong + "p");
    QCOMPARE(in.General.NameText, zhong + "n");
    QCOMPARE(in.General.NameDigits, std::string("3"));
    QCOMPARE(in.General.NameSuffix, zhong + "s");
    QCOMPARE(in.General.ExtPrefix, wen + "p");
    QCOMPARE(in.General.ExtText, wen + "n");
    QCOMPARE(in.General.ExtDigits, std::string("-2"));
    QCOMPARE(in.General.ExtSuffix, wen + "s");
    QCOMPARE(in.General.Start, std::string("10"));
    QCOMPARE(in.General.Step, std::string("-1"));
    QCOMPARE(in.Replace.FindText, zhong + "f");
    QCOMPARE(in.Replace.ReplaceText, zhong + "r");
    QVERIFY(in.Replace.CaseSensitive);
    QVERIFY(in.Replace.Scope == core::Scope::Both);
    QCOMPARE(in.Insert.NameInsertText, wen + "x");
    QCOMPARE(in.Insert.ExtInsertText, wen + "y");
    QVERIFY(in.Insert.NameWhere == core::InsertWhere::AtEnd);
    QVERIFY(in.Insert.ExtWhere == core::InsertWhere::AtEnd);
    QCOMPARE(in.Insert.NamePosition, std::string("4"));
    QCOMPARE(in.Insert.ExtPosition, std::string("5"));
    QVERIFY(in.Case.NameCase == core::LetterCase::FirstLower);
    QVERIFY(in.Case.ExtCase == core::LetterCase::AllLower);

    Find<QAbstractButton>(QStringLiteral("仅扩展名单选框"))->click();
    Find<QAbstractButton>(QStringLiteral("常规扩展名单选框"))->click();
    Find<QAbstractButton>(QStringLiteral("V1优先单选框"))->click();
    QVERIFY(panel_->ReadInputs().Replace.Scope == core::Scope::Extension);
    QVERIFY(panel_->ReadInputs().General.Scope == core::Scope::Extension);
    QVERIFY(panel_->ReadInputs().Mp3.PreferV1);
  }

  void typedCharactersAndLengths_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    // Signed-integer boxes take digits and "-" only; the arrows' range does not limit typing.
    QTest::newRow("start refuses letters")
        << QStringLiteral("起始量编辑框") << QStringLiteral("1a-2.5 ") << QStringLiteral("1-25");
    QTest::newRow("start takes 8") << QStringLiteral("起始量编辑框") << QStringLiteral("1234567890")
                                   << QStringLiteral("12345678");
    QTest::newRow("step takes 6") << QStringLiteral("增量编辑框") << QStringLiteral("-12345678")
                                  << QStringLiteral("-12345");
    QTest::newRow("ext digits takes 3") << QStringLiteral("扩展名位数调节编辑框")
                                        << QStringLiteral("-1234") << QStringLiteral("-12");
    // Byte input takes digits only.
    QTest::newRow("digits refuse minus")
        << QStringLiteral("文件名位数调节编辑框") << QStringLiteral("-4x5") << QStringLiteral("45");
    QTest::newRow("digits take 3") << QStringLiteral("插入扩展名位置编辑框")
                                   << QStringLiteral("98765") << QStringLiteral("987");
    QTest::newRow("text box unlimited") << QStringLiteral("文件名编辑框")
                                        << QStringLiteral("a-1.b 中") << QStringLiteral("a-1.b 中");
  }

  void typedCharactersAndLengths() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Find<QAbstractButton>(QStringLiteral("常规全部单选框"))->click();
    auto* edit = Find<QLineEdit>(box);
    ShowPageOf(edit);
    edit->clear();
    Type(edit, typed);
    QCOMPARE(edit->text(), shown);
  }

  void normalisedOnFocusOut_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("rewritten");
    const QString digits = QStringLiteral("文件名位数调节编辑框");
    QTest::newRow("byte 300") << digits << QStringLiteral("300") << QStringLiteral("255") << true;
    QTest::newRow("byte 0") << digits << QStringLiteral("0") << QString() << true;
    QTest::newRow("byte 000") << digits << QStringLiteral("000") << QString() << true;
    QTest::newRow("byte 007") << digits << QStringLiteral("007") << QStringLiteral("7") << true;
    QTest::newRow("byte 42 kept") << digits << QStringLiteral("42") << QStringLiteral("42")
                                  << false;
    QTest::newRow("byte empty kept") << digits << QString() << QString() << false;
    QTest::newRow("insert position 999") << QStringLiteral("插入文件名位置编辑框")
                                         << QStringLiteral("999") << QStringLiteral("255") << true;
    const QString step = QStringLiteral("增量编辑框");
    QTest::newRow("32-bit -0") << step << QStringLiteral("-0") << QString() << true;
    QTest::newRow("32-bit minus only") << step << QStringLiteral("-") << QString() << true;
    QTest::newRow("32-bit 1-2") << step << QStringLiteral("1-2") << QStringLiteral("1") << true;
    QTest::newRow("32-bit -0050") << step << QStringLiteral("-0050") << QStringLiteral("-50")
                                  << true;
    QTest::newRow("32-bit -99999 kept")
        << step << QStringLiteral("-99999") << QStringLiteral("-99999") << false;
    const QString extDigits = QStringLiteral("扩展名位数调节编辑框");
    QTest::newRow("16-bit 0") << extDigits << QStringLiteral("0") << QString() << true;
    QTest::newRow("16-bit -05") << extDigits << QStringLiteral("-05") << QStringLiteral("-5")
                                << true;
    QTest::newRow("16-bit 999 kept")
        << extDigits << QStringLiteral("999") << QStringLiteral("999") << false;
    // The start box is never rewritten: its "0" stays.
    QTest::newRow("start 0 kept") << QStringLiteral("起始量编辑框") << QStringLiteral("0")
                                  << QStringLiteral("0") << false;
    QTest::newRow("start 007 kept") << QStringLiteral("起始量编辑框") << QStringLiteral("007")
                                    << QStringLiteral("007") << false;
  }

  void normalisedOnFocusOut() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, rewritten);
    Find<QAbstractButton>(QStringLiteral("常规全部单选框"))->click();
    auto* edit = Find<QLineEdit>(box);
    ShowPageOf(edit);
    edit->clear();
    Type(edit, typed);
    QCOMPARE(edit->text(), typed);
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    FocusInAndOut(edit);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(changes.count(), rewritten ? 1 : 0);
    QCOMPARE(preview.count(), rewritten ? 1 : 0);
  }

  void lengthLimitKeepsWholeCharacters_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    const QString a48(48, QLatin1Char('a'));
    const QString a49(49, QLatin1Char('a'));
    const QString a50(50, QLatin1Char('a'));
    // 中 and 文 take two bytes each, U+1F600 takes four.
    QTest::newRow("fits exactly") << a48 << 48 << QStringLiteral("中")
                                  << a48 + QStringLiteral("中");
    QTest::newRow("half would fit") << a49 << 49 << QStringLiteral("中") << a49;
    QTest::newRow("paste cut between characters")
        << a48 << 48 << QStringLiteral("中文") << a48 + QStringLiteral("中");
    QTest::newRow("paste cut at odd byte")
        << QString(47, QLatin1Char('a')) << 47 << QStringLiteral("b中文")
        << QString(47, QLatin1Char('a')) + QStringLiteral("b中");
    QTest::newRow("full box refuses in the middle") << a50 << 10 << QStringLiteral("x") << a50;
    QTest::newRow("middle insert keeps the tail")
        << QStringLiteral("中") + QString(46, QLatin1Char('a')) << 1 << QStringLiteral("文b")
        << QStringLiteral("中文") + QString(46, QLatin1Char('a'));
    QTest::newRow("four-byte character whole or not at all")
        << QString(47, QLatin1Char('a')) << 47 << QString::fromUcs4(U"\U0001F600")
        << QString(47, QLatin1Char('a'));
    QTest::newRow("four-byte character fits")
        << QString(46, QLatin1Char('a')) << 46 << QString::fromUcs4(U"\U0001F600")
        << QString(46, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F600");
  }

  void lengthLimitKeepsWholeCharacters() {
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    auto* rule = Find<QLineEdit>(QStringLiteral("MP3命名规则编辑框"));
    rule->setText(before);
    QCOMPARE(rule->text(), before);
    rule->setCursorPosition(cursor);
    rule->insert(pasted);  // what a paste does
    QCOMPARE(rule->text(), after);
  }

  void typedDoubleByteCharacterAtTheLimit() {
    auto* rule = Find<QLineEdit>(QStringLiteral("MP3命名规则编辑框"));
    Type(rule, QString(49, QLatin1Char('a')) + QStringLiteral("中b"));
    QCOMPARE(rule->text(), QString(49, QLatin1Char('a')) + QStringLiteral("b"));
  }

  void arrows_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("after");
    QTest::newRow("digits up") << QStringLiteral("文件名位数调节编辑框") << QStringLiteral("1")
                               << QStringLiteral("up") << 2 << QStringLiteral("3");
    QTest::newRow("digits stop at 1")
        << QStringLiteral("文件名位数调节编辑框") << QStringLiteral("2") << QStringLiteral("down")
        << 3 << QStringLiteral("1");
    QTest::newRow("digits stop at 255")
        << QStringLiteral("插入扩展名位置编辑框") << QStringLiteral("254") << QStringLiteral("up")
        << 3 << QStringLiteral("255");
    QTest::newRow("empty ext digits up") << QStringLiteral("扩展名位数调节编辑框") << QString()
                                         << QStringLiteral("up") << 1 << QStringLiteral("1");
    QTest::newRow("ext digits down to 0")
        << QStringLiteral("扩展名位数调节编辑框") << QStringLiteral("1") << QStringLiteral("down")
        << 2 << QStringLiteral("0");
    QTest::newRow("typed past the range comes back")
        << QStringLiteral("起始量编辑框") << QStringLiteral("123456") << QStringLiteral("up") << 1
        << QStringLiteral("9999");
    QTest::newRow("step from text") << QStringLiteral("增量编辑框") << QStringLiteral("41abc")
                                    << QStringLiteral("up") << 1 << QStringLiteral("42");
  }

  void arrows() {
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, arrow);
    QFETCH(int, clicks);
    QFETCH(QString, after);
    Find<QAbstractButton>(QStringLiteral("常规全部单选框"))->click();
    auto* edit = Find<QLineEdit>(box);
    ShowPageOf(edit);
    edit->setText(before);
    auto* button = edit->findChild<QToolButton*>(arrow);
    QVERIFY(button);
    QVERIFY(button->isVisible());
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    for (int i = 0; i < clicks; ++i) QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(edit->text(), after);
    QVERIFY(preview.count() >= 1);
  }

  void clearButton() {
    Find<QAbstractButton>(QStringLiteral("常规全部单选框"))->click();
    const QStringList cleared = {
        QStringLiteral("文件名前缀编辑框"),     QStringLiteral("文件名编辑框"),
        QStringLiteral("文件名位数调节编辑框"), QStringLiteral("文件名后缀编辑框"),
        QStringLiteral("扩展名前缀编辑框"),     QStringLiteral("新扩展名编辑框"),
        QStringLiteral("扩展名位数调节编辑框"), QStringLiteral("扩展名后缀编辑框"),
        QStringLiteral("起始量编辑框")};
    for (const QString& name : cleared) Find<QLineEdit>(name)->setText(QStringLiteral("5"));
    Find<QLineEdit>(QStringLiteral("增量编辑框"))->setText(QStringLiteral("3"));
    Find<QAbstractButton>(QStringLiteral("常规扩展名单选框"))->click();

    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    QTest::mouseClick(Find(QStringLiteral("常规清空按钮")), Qt::LeftButton);
    QCOMPARE(preview.count(), 1);
    for (const QString& name : cleared) QCOMPARE(Find<QLineEdit>(name)->text(), QString());
    QCOMPARE(Find<QLineEdit>(QStringLiteral("增量编辑框"))->text(), QStringLiteral("3"));
    QVERIFY(Find<QRadioButton>(QStringLiteral("常规扩展名单选框"))->isChecked());
    QVERIFY(!Find(QStringLiteral("文件名编辑框"))->isEnabled());
    QVERIFY(Find(QStringLiteral("新扩展名编辑框"))->isEnabled());

    // Later edits ask for previews again.
    Type(Find(QStringLiteral("新扩展名编辑框")), QStringLiteral("x"));
    QCOMPARE(preview.count(), 2);
  }

  void keepSame() {
    auto* name = Find<QLineEdit>(QStringLiteral("插入到文件名的字符编辑框"));
    auto* ext = Find<QLineEdit>(QStringLiteral("插入到扩展名的字符编辑框"));
    auto* keep = Find<QCheckBox>(QStringLiteral("保持一致选择框"));
    auto* label = Find(QStringLiteral("插入扩展名标签"));
    ShowPageOf(name);
    Type(name, QStringLiteral("ab"));
    QCOMPARE(ext->text(), QString());

    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    QTest::mouseClick(keep, Qt::LeftButton, {}, QPoint(6, keep->height() / 2));
    QVERIFY(keep->isChecked());
    QCOMPARE(ext->text(), QStringLiteral("ab"));
    QVERIFY(!ext->isEnabled());
    QCOMPARE(TextColour(label), kGrey);
    QCOMPARE(preview.count(), 1);  // through the extension box's text change

    Type(name, QStringLiteral("中"));
    QCOMPARE(ext->text(), QStringLiteral("ab中"));
    QCOMPARE(panel_->ReadInputs().Insert.ExtInsertText, std::string("ab\xD6\xD0"));

    preview.clear();
    QTest::mouseClick(keep, Qt::LeftButton, {}, QPoint(6, keep->height() / 2));
    QVERIFY(!keep->isChecked());
    QVERIFY(ext->isEnabled());
    QCOMPARE(TextColour(label), kBlack);
    QCOMPARE(preview.count(), 0);
    Type(name, QStringLiteral("z"));
    QCOMPARE(ext->text(), QStringLiteral("ab中"));
  }

  void insertPositionRadios_data() {
    QTest::addColumn<QString>("atPosition");
    QTest::addColumn<QString>("atEnd");
    QTest::addColumn<QString>("box");
    QTest::newRow("name") << QStringLiteral("插入文件名位置单选框")
                          << QStringLiteral("插入文件名尾单选框")
                          << QStringLiteral("插入文件名位置编辑框");
    QTest::newRow("extension") << QStringLiteral("插入扩展名位置单选框")
                               << QStringLiteral("插入扩展名尾单选框")
                               << QStringLiteral("插入扩展名位置编辑框");
  }

  void insertPositionRadios() {
    QFETCH(QString, atPosition);
    QFETCH(QString, atEnd);
    QFETCH(QString, box);
    ShowPageOf(Find(box));
    QVERIFY(Find(box)->isEnabled());
    Find<QAbstractButton>(atEnd)->click();
    QVERIFY(!Find(box)->isEnabled());
    // The other group's box is not touched.
    const QString otherBox = box == QStringLiteral("插入文件名位置编辑框")
                                 ? QStringLiteral("插入扩展名位置编辑框")
                                 : QStringLiteral("插入文件名位置编辑框");
    QVERIFY(Find(otherBox)->isEnabled());
    Find<QAbstractButton>(atPosition)->click();
    QVERIFY(Find(box)->isEnabled());
  }

  void codeButtons() {
    auto* rule = Find<QLineEdit>(QStringLiteral("MP3命名规则编辑框"));
    ShowPageOf(rule);
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    QTest::mouseClick(Find(QStringLiteral("艺术家超级按钮")), Qt::LeftButton);
    QCOMPARE(rule->text(), QStringLiteral("#1"));
    QTest::mouseClick(Find(QStringLiteral("流派超级按钮")), Qt::LeftButton);
    QCOMPARE(rule->text(), QStringLiteral("#1-#6"));
    QCOMPARE(preview.count(), 2);
    QCOMPARE(Find<QLineEdit>(QStringLiteral("参照编辑框"))->text(), QStringLiteral("艺术家-流派"));
    for (const QString& name : {QStringLiteral("歌曲名超级按钮"), QStringLiteral("专辑超级按钮"),
                                QStringLiteral("音轨超级按钮"), QStringLiteral("年代超级按钮")}) {
      Find<QAbstractButton>(name)->click();
    }
    QCOMPARE(ToQString(panel_->ReadInputs().Mp3.Pattern), QStringLiteral("#1-#6-#2-#3-#4-#5"));
    QCOMPARE(Find<QLineEdit>(QStringLiteral("参照编辑框"))->text(),
             QStringLiteral("艺术家-流派-歌曲名-专辑-音轨-年代"));

    // A rule of 49 bytes keeps the first 50 bytes of the longer text.
    rule->setText(QString(49, QLatin1Char('a')));
    Find<QAbstractButton>(QStringLiteral("专辑超级按钮"))->click();
    QCOMPARE(rule->text(), QString(49, QLatin1Char('a')) + QStringLiteral("-"));
  }

  void referenceText_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("reference");
    QTest::newRow("codes") << QStringLiteral("#3 - #4") << QStringLiteral("专辑 - 音轨");
    QTest::newRow("#12 shows as text") << QStringLiteral("#12") << QStringLiteral("艺术家2");
    QTest::newRow("#7 stays") << QStringLiteral("#7 ##5") << QStringLiteral("#7 #年代");
    QTest::newRow("empty") << QString() << QString();
  }

  void referenceText() {
    QFETCH(QString, rule);
    QFETCH(QString, reference);
    Find<QLineEdit>(QStringLiteral("MP3命名规则编辑框"))->setText(QStringLiteral("x"));
    Find<QLineEdit>(QStringLiteral("MP3命名规则编辑框"))->setText(rule);
    QCOMPARE(Find<QLineEdit>(QStringLiteral("参照编辑框"))->text(), reference);
  }

  void schemeCombo_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("0") << 0 << QStringLiteral("#1-#2");
    QTest::newRow("1") << 1 << QStringLiteral("#1-#3-#2");
    QTest::newRow("2") << 2 << QStringLiteral("#1-#3-#5-#2");
    QTest::newRow("3") << 3 << QStringLiteral("#1-#3-#5-#2-#4");
  }

  void schemeCombo() {
    QFETCH(int, item);
    QFETCH(QString, pattern);
    auto* combo = Find<QComboBox>(QStringLiteral("预定义方案组合框"));
    auto* rule = Find<QLineEdit>(QStringLiteral("MP3命名规则编辑框"));
    ShowPageOf(combo);
    rule->setText(QStringLiteral("old"));
    combo->setFocus();
    QSignalSpy preview(panel_.get(), &RulePanel::PreviewRequested);
    // Choose the item in the open list, as a user would.
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    combo->view()->setCurrentIndex(combo->model()->index(item, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QCOMPARE(rule->text(), pattern);
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(preview.count() >= 1);
    QTRY_VERIFY(rule->hasFocus());
  }

  void layoutFitsTheTab() {
    panel_->resize(590, 130);
    for (int i = 0; i < panel_->count(); ++i) {
      panel_->setCurrentIndex(i);
      QWidget* page = panel_->widget(i);
      QTRY_VERIFY(page->isVisible());
      for (QWidget* child : page->findChildren<QWidget*>()) {
        // Unnamed widgets are parts of a control; a popup list is a window of its own.
        if (child->objectName().isEmpty() || child->isWindow()) continue;
        const QRect place(child->mapTo(page, QPoint(0, 0)), child->size());
        QVERIFY2(page->rect().contains(place), qPrintable(child->objectName()));
        if (auto* label = qobject_cast<QLabel*>(child)) {
          QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(child->objectName()));
        }
        if (qobject_cast<QLabel*>(child) || qobject_cast<QRadioButton*>(child) ||
            qobject_cast<QCheckBox*>(child)) {
          QVERIFY2(child->height() >= child->fontMetrics().height(),
                   qPrintable(child->objectName()));
        }
      }
    }
  }
};

QTEST_MAIN(RulePanelTest)
#include "rule_panel_test.moc"
