#include "ui/rule_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <algorithm>

#include "ui/byte_limit.h"
#include "ui/number_box.h"
#include "ui/qt_text.h"

namespace {

// The places of the controls count from the top of the tab control; its row of
// tabs is this tall, and the tab bar is kept to that height so that the pages keep
// the room they were laid out for.
constexpr int kTabsHeight = 21;

const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);

constexpr int kMp3RuleMaxBytes = 50;

class PanelTabBar : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override {
    QSize size = QTabBar::tabSizeHint(index);
    size.setHeight(std::max(kTabsHeight, fontMetrics().height() + 4));
    return size;
  }
};

// A group box drawn with its caption sitting on the top line of its frame, as the
// places of the controls inside assume; the frame starts halfway down the caption.
class PanelGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    QRect titleRect;
    if (!title().isEmpty()) {
      titleRect = QRect(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
      painter.setClipRegion(QRegion(rect()).subtracted(titleRect));
    }
    // The style's own frame leaves a whole caption's height above it, so draw it here.
    painter.setPen(palette().color(QPalette::Window).darker(140));
    painter.drawRect(rect().adjusted(0, metrics.height() / 2, -1, -1));
    if (!titleRect.isNull()) {
      painter.setClipping(false);
      style()->drawItemText(&painter, titleRect, Qt::AlignCenter, palette(), isEnabled(), title(),
                            QPalette::WindowText);
    }
  }
};

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

QWidget* FindByTag(const QObject* root, int tag) {
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (widget->property("tag").toInt() == tag) return widget;
  }
  return nullptr;
}

// The width a label, radio button or check box needs to show all of its text.
int TextWidth(QWidget* widget) {
  QStyle* style = widget->style();
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return label->fontMetrics().horizontalAdvance(label->text());
  }
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (!button) return 0;
  const int textWidth = button->fontMetrics().horizontalAdvance(button->text()) + 1;
  if (qobject_cast<QRadioButton*>(widget)) {
    return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget) + textWidth;
  }
  return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget) + textWidth;
}

int TextHeight(QWidget* widget) {
  int height = widget->fontMetrics().height();
  QStyle* style = widget->style();
  if (qobject_cast<QRadioButton*>(widget)) {
    height =
        std::max(height, style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, widget));
  } else if (qobject_cast<QCheckBox*>(widget)) {
    height = std::max(height, style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget));
  }
  return height;
}

// The font's line is taller than these boxes, and the room it has to give up is the
// empty space above the letters: the line moves up until its descent fits.
void FitTextLine(QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->hasFrame()
                         ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                         : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  const int excess = edit->fontMetrics().height() - contents.height();
  QMargins margins = edit->textMargins();
  // The box centres its line in what the margins leave, so raising the top by
  // excess + 1 puts the bottom of the line on the bottom of the contents.
  margins.setTop(excess > 0 ? -(excess + 1) : 0);
  margins.setBottom(0);
  edit->setTextMargins(margins);
}

QGroupBox* AddGroup(QWidget* parent, const QString& name, const QString& title) {
  auto* group = new PanelGroupBox(title, parent);
  group->setObjectName(name);
  return group;
}

// The naming rule with each code replaced by the name of its field, for display only.
QString ReferenceText(QString rule) {
  static const std::array<QString, 6> kFieldNames = {
      QStringLiteral("艺术家"), QStringLiteral("歌曲名"), QStringLiteral("专辑"),
      QStringLiteral("音轨"),   QStringLiteral("年代"),   QStringLiteral("流派")};
  for (int code = 1; code <= 6; ++code) {
    rule.replace(QStringLiteral("#") + QString::number(code), kFieldNames[code - 1]);
  }
  return rule;
}

core::Scope ScopeOf(const QRadioButton* name, const QRadioButton* extension) {
  if (name->isChecked()) return core::Scope::Name;
  if (extension->isChecked()) return core::Scope::Extension;
  return core::Scope::Both;
}

core::LetterCase CaseOf(const std::array<QRadioButton*, 4>& radios) {
  static constexpr std::array<core::LetterCase, 4> kCases = {
      core::LetterCase::AllUpper, core::LetterCase::AllLower, core::LetterCase::FirstUpper,
      core::LetterCase::FirstLower};
  for (std::size_t i = 0; i < radios.size(); ++i) {
    if (radios[i]->isChecked()) return kCases[i];
  }
  return core::LetterCase::AllUpper;
}

}  // namespace

RulePanel::RulePanel(QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("选择夹"));
  setTabBar(new PanelTabBar(this));
  BuildGeneralPage();
  BuildReplacePage();
  BuildInsertPage();
  BuildCasePage();
  BuildMp3Page();
  ApplyGeometry();
  setCurrentIndex(core::kGeneralTab);
  connect(this, &QTabWidget::currentChanged, this, &RulePanel::RequestPreview);
}

QWidget* RulePanel::AddPage(const QString& caption) {
  auto* page = new QWidget(this);
  addTab(page, caption);
  return page;
}

void RulePanel::Place(QWidget* widget, QRect rect, bool onPage) {
  if (onPage) rect.translate(0, -kTabsHeight);
  const bool fitText = qobject_cast<QLabel*>(widget) || qobject_cast<QRadioButton*>(widget) ||
                       qobject_cast<QCheckBox*>(widget);
  placements_.push_back({widget, rect, fitText});
}

QLabel* RulePanel::AddLabel(QWidget* parent, const QString& name, const QString& caption,
                            QRect rect, bool onPage) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SetTextColour(label, kBlack);
  Place(label, rect, onPage);
  return label;
}

QRadioButton* RulePanel::AddRadio(QWidget* parent, const QString& name, const QString& caption,
                                  QRect rect, bool onPage, int tag) {
  auto* radio = new QRadioButton(caption, parent);
  radio->setObjectName(name);
  if (tag != 0) radio->setProperty("tag", tag);
  Place(radio, rect, onPage);
  return radio;
}

QLineEdit* RulePanel::AddEdit(QWidget* parent, const QString& name, QRect rect, bool onPage,
                              int tag) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  if (tag != 0) edit->setProperty("tag", tag);
  Place(edit, rect, onPage);
  return edit;
}

NumberBox* RulePanel::AddNumberBox(QWidget* parent, const QString& name, QRect rect, bool onPage,
                                   int tag, const QString& initial, bool digitsOnly, int maxBytes,
                                   int spinMin, int spinMax) {
  auto* box = new NumberBox(digitsOnly ? NumberBox::Input::Digits : NumberBox::Input::SignedInteger,
                            maxBytes, spinMin, spinMax, parent);
  box->setObjectName(name);
  if (tag != 0) box->setProperty("tag", tag);
  box->setText(initial);
  // Byte input always comes back as a value 0..255.
  if (digitsOnly) box->SetNormalRange(0, 255);
  Place(box, rect, onPage);
  return box;
}

void RulePanel::ApplyGeometry() {
  for (const Placement& placement : placements_) {
    QRect rect = placement.rect;
    if (placement.fitText) {
      rect.setWidth(std::max(rect.width(), TextWidth(placement.widget)));
      // Grow about the same centre line, by an even amount so it stays centred.
      int grow = TextHeight(placement.widget) - rect.height();
      if (grow > 0) {
        grow += grow % 2;
        rect.adjust(0, -grow / 2, 0, grow / 2);
      }
    }
    placement.widget->setGeometry(rect);
    if (auto* edit = qobject_cast<QLineEdit*>(placement.widget)) FitTextLine(edit);
  }
}

void RulePanel::changeEvent(QEvent* event) {
  QTabWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    ApplyGeometry();
  }
}

void RulePanel::BuildGeneralPage() {
  QWidget* page = AddPage(QStringLiteral("常规"));
  AddLabel(page, QStringLiteral("标签13"), QStringLiteral("作用于："), {6, 32, 45, 12}, true);
  QGroupBox* scope = AddGroup(page, QStringLiteral("分组框3"), QString());
  Place(scope, {52, 22, 228, 27}, true);
  generalName_ = AddRadio(scope, QStringLiteral("常规文件名单选框"), QStringLiteral("文件名"),
                          {12, 10, 56, 12}, false);
  generalName_->setChecked(true);
  generalExt_ = AddRadio(scope, QStringLiteral("常规扩展名单选框"), QStringLiteral("扩展名"),
                         {88, 10, 56, 12}, false);
  generalBoth_ = AddRadio(scope, QStringLiteral("常规全部单选框"), QStringLiteral("全部"),
                          {165, 10, 56, 12}, false);
  for (QRadioButton* radio : {generalName_, generalExt_, generalBoth_}) {
    connect(radio, &QRadioButton::clicked, this, &RulePanel::OnScopeClicked);
  }

  AddLabel(page, QStringLiteral("标签1"), QStringLiteral("起始量："), {289, 32, 44, 12}, true);
  start_ = AddNumberBox(page, QStringLiteral("起始量编辑框"), {342, 29, 48, 18}, true, 1,
                        QStringLiteral("0"), false, 8, 0, 9999);
  AddLabel(page, QStringLiteral("标签2"), QStringLiteral("增量"), {414, 32, 24, 12}, true);
  step_ = AddNumberBox(page, QStringLiteral("增量编辑框"), {446, 29, 48, 18}, true, 9,
                       QStringLiteral("1"), false, 6, 1, 9999);
  step_->SetNormalRange(INT32_MIN, INT32_MAX);
  auto* clear = new QPushButton(QStringLiteral("清空"), page);
  clear->setObjectName(QStringLiteral("常规清空按钮"));
  Place(clear, {519, 27, 60, 20}, true);
  connect(clear, &QPushButton::clicked, this, &RulePanel::OnClearClicked);

  nameGroup_ = AddGroup(page, QStringLiteral("文件名分组框"), QStringLiteral("文件名"));
  Place(nameGroup_, {6, 50, 578, 37}, true);
  SetTextColour(nameGroup_, kBlack);
  nameLabels_[0] = AddLabel(nameGroup_, QStringLiteral("前缀1标签"), QStringLiteral("前缀"),
                            {6, 17, 32, 12}, false);
  nameEdits_[0] = AddEdit(nameGroup_, QStringLiteral("文件名前缀编辑框"), {38, 14, 56, 18}, false);
  nameLabels_[1] = AddLabel(nameGroup_, QStringLiteral("文件名标签"), QStringLiteral("主文件名"),
                            {100, 17, 48, 12}, false);
  nameEdits_[1] = AddEdit(nameGroup_, QStringLiteral("文件名编辑框"), {153, 14, 125, 18}, false, 2);
  nameLabels_[2] = AddLabel(nameGroup_, QStringLiteral("文件名位数调节标签"),
                            QStringLiteral("位数"), {286, 17, 25, 12}, false);
  nameEdits_[2] = AddNumberBox(nameGroup_, QStringLiteral("文件名位数调节编辑框"),
                               {316, 14, 56, 18}, false, 3, QStringLiteral("1"), true, 3, 1, 255);
  nameLabels_[3] = AddLabel(nameGroup_, QStringLiteral("后缀1标签"), QStringLiteral("后缀"),
                            {396, 17, 32, 12}, false);
  nameEdits_[3] =
      AddEdit(nameGroup_, QStringLiteral("文件名后缀编辑框"), {428, 14, 56, 18}, false, 4);
  // The prefix box's own handler; the other tagged boxes join it when routed.
  connect(nameEdits_[0], &QLineEdit::textChanged, this, &RulePanel::OnSharedPreviewText);

  extGroup_ = AddGroup(page, QStringLiteral("扩展名分组框"), QStringLiteral("扩展名"));
  Place(extGroup_, {6, 89, 578, 37}, true);
  extLabels_[0] = AddLabel(extGroup_, QStringLiteral("前缀2标签"), QStringLiteral("前缀"),
                           {6, 17, 24, 12}, false);
  extEdits_[0] = AddEdit(extGroup_, QStringLiteral("扩展名前缀编辑框"), {38, 14, 56, 18}, false, 5);
  extLabels_[1] = AddLabel(extGroup_, QStringLiteral("新扩展名标签"), QStringLiteral("新扩展名"),
                           {100, 17, 54, 12}, false);
  extEdits_[1] = AddEdit(extGroup_, QStringLiteral("新扩展名编辑框"), {153, 14, 125, 18}, false, 6);
  {
    QPalette palette = extEdits_[1]->palette();
    palette.setColor(QPalette::Active, QPalette::Text, Qt::red);
    palette.setColor(QPalette::Inactive, QPalette::Text, Qt::red);
    extEdits_[1]->setPalette(palette);
  }
  extLabels_[2] = AddLabel(extGroup_, QStringLiteral("扩展名位数标签"), QStringLiteral("位数"),
                           {286, 17, 24, 12}, false);
  auto* extDigits = AddNumberBox(extGroup_, QStringLiteral("扩展名位数调节编辑框"),
                                 {316, 14, 56, 18}, false, 7, QString(), false, 3, 0, 100);
  extDigits->SetNormalRange(INT16_MIN, INT16_MAX);
  extEdits_[2] = extDigits;
  extLabels_[3] = AddLabel(extGroup_, QStringLiteral("后缀2标签"), QStringLiteral("后缀"),
                           {396, 17, 32, 12}, false);
  extEdits_[3] =
      AddEdit(extGroup_, QStringLiteral("扩展名后缀编辑框"), {428, 14, 56, 18}, false, 8);
  SetExtensionGroupActive(false);
}

void RulePanel::BuildReplacePage() {
  QWidget* page = AddPage(QStringLiteral("替换/删除"));
  QGroupBox* options = AddGroup(page, QStringLiteral("删除分组框"), QStringLiteral("选项"));
  Place(options, {5, 25, 579, 96}, true);
  AddLabel(options, QStringLiteral("查找内容标签"), QStringLiteral("查找内容"), {27, 17, 47, 12},
           false);
  findText_ = AddEdit(options, QStringLiteral("查找内容编辑框"), {89, 14, 191, 18}, false, 10);
  caseSensitive_ = new QCheckBox(QStringLiteral("区分大小写"), options);
  caseSensitive_->setObjectName(QStringLiteral("区分大小写选择框"));
  Place(caseSensitive_, {291, 17, 88, 12}, false);
  connect(caseSensitive_, &QCheckBox::clicked, this, &RulePanel::RequestPreview);
  AddLabel(options, QStringLiteral("替换为标签"), QStringLiteral("替换为"), {27, 45, 47, 12},
           false);
  replaceText_ = AddEdit(options, QStringLiteral("替换为编辑框"), {89, 44, 191, 18}, false, 11);
  AddLabel(options, QStringLiteral("标签5"), QStringLiteral("（为空时表示删除‘查找内容’的内容）"),
           {291, 47, 216, 12}, false);
  AddLabel(options, QStringLiteral("标签6"), QStringLiteral("应用于："), {27, 74, 56, 12}, false);
  replaceName_ = AddRadio(options, QStringLiteral("仅文件名单选框"), QStringLiteral("仅文件名"),
                          {89, 74, 80, 12}, false);
  replaceName_->setChecked(true);
  // The radio buttons tagged 20 to 29 join this handler when routed.
  connect(replaceName_, &QRadioButton::clicked, this, &RulePanel::OnSharedRadioClicked);
  replaceExt_ = AddRadio(options, QStringLiteral("仅扩展名单选框"), QStringLiteral("仅扩展名"),
                         {197, 74, 87, 12}, false, 20);
  replaceBoth_ = AddRadio(options, QStringLiteral("替换删除全部单选框"), QStringLiteral("全部"),
                          {313, 74, 56, 12}, false, 21);
}

void RulePanel::BuildInsertPage() {
  QWidget* page = AddPage(QStringLiteral("插入"));
  AddLabel(page, QStringLiteral("标签3"), QStringLiteral("欲插入的字符："), {18, 34, 90, 12}, true);
  AddLabel(page, QStringLiteral("标签8"), QStringLiteral("文件名："), {113, 34, 48, 12}, true);
  nameInsert_ = AddEdit(page, QStringLiteral("插入到文件名的字符编辑框"), {168, 31, 96, 18}, true);
  extInsertLabel_ = AddLabel(page, QStringLiteral("插入扩展名标签"), QStringLiteral("扩展名："),
                             {273, 34, 48, 12}, true);
  extInsert_ = AddEdit(page, QStringLiteral("插入到扩展名的字符编辑框"), {321, 31, 96, 18}, true);
  keepSame_ = new QCheckBox(QStringLiteral("保持一致"), page);
  keepSame_->setObjectName(QStringLiteral("保持一致选择框"));
  Place(keepSame_, {440, 32, 104, 12}, true);
  connect(nameInsert_, &QLineEdit::textChanged, this, &RulePanel::OnInsertNameTextChanged);
  connect(extInsert_, &QLineEdit::textChanged, this, &RulePanel::RequestPreview);
  connect(keepSame_, &QCheckBox::clicked, this, &RulePanel::OnKeepSameClicked);

  AddLabel(page, QStringLiteral("标签4"), QStringLiteral("插入到文件名："), {18, 64, 82, 16}, true);
  QGroupBox* nameWhere = AddGroup(page, QStringLiteral("分组框1"), QString());
  Place(nameWhere, {114, 49, 462, 35}, true);
  nameAtPosition_ = AddRadio(nameWhere, QStringLiteral("插入文件名位置单选框"),
                             QStringLiteral("插入到第"), {8, 15, 72, 12}, false);
  nameAtPosition_->setChecked(true);
  namePosition_ = AddNumberBox(nameWhere, QStringLiteral("插入文件名位置编辑框"), {80, 11, 56, 20},
                               false, 0, QStringLiteral("1"), true, 3, 1, 255);
  AddLabel(nameWhere, QStringLiteral("标签9"), QStringLiteral("个位置"), {160, 15, 39, 12}, false);
  nameAtEnd_ = AddRadio(nameWhere, QStringLiteral("插入文件名尾单选框"), QStringLiteral("文件名尾"),
                        {336, 15, 72, 12}, false);

  AddLabel(page, QStringLiteral("标签7"), QStringLiteral("插入到扩展名："), {18, 99, 82, 16}, true);
  QGroupBox* extWhere = AddGroup(page, QStringLiteral("分组框2"), QString());
  Place(extWhere, {114, 87, 462, 35}, true);
  extAtPosition_ = AddRadio(extWhere, QStringLiteral("插入扩展名位置单选框"),
                            QStringLiteral("插入到第"), {8, 15, 72, 12}, false);
  extAtPosition_->setChecked(true);
  extPosition_ = AddNumberBox(extWhere, QStringLiteral("插入扩展名位置编辑框"), {80, 11, 56, 20},
                              false, 0, QStringLiteral("1"), true, 3, 1, 255);
  AddLabel(extWhere, QStringLiteral("标签10"), QStringLiteral("个位置"), {160, 15, 48, 16}, false);
  extAtEnd_ = AddRadio(extWhere, QStringLiteral("插入扩展名尾单选框"), QStringLiteral("扩展名尾"),
                       {336, 15, 80, 12}, false);

  for (QRadioButton* radio : {nameAtPosition_, nameAtEnd_, extAtPosition_, extAtEnd_}) {
    connect(radio, &QRadioButton::clicked, this, &RulePanel::OnInsertWhereClicked);
  }
  for (NumberBox* box : {namePosition_, extPosition_}) {
    connect(box, &QLineEdit::textChanged, this, &RulePanel::RequestPreview);
  }
}

void RulePanel::BuildCasePage() {
  QWidget* page = AddPage(QStringLiteral("大小写"));
  const std::array<QString, 4> captions = {QStringLiteral("全部大写"), QStringLiteral("全部小写"),
                                           QStringLiteral("首字母大写"),
                                           QStringLiteral("首字母小写")};
  const std::array<QString, 4> nameRadios = {
      QStringLiteral("文件名全部大写单选框"), QStringLiteral("文件名全部小写单选框"),
      QStringLiteral("文件名首字母大写单选框"), QStringLiteral("文件名首字母小写单选框")};
  const std::array<QString, 4> extRadios = {
      QStringLiteral("扩展名全部大写单选框"), QStringLiteral("扩展名全部小写单选框"),
      QStringLiteral("扩展名首字母大写单选框"), QStringLiteral("扩展名首字母小写单选框")};
  // All upper, all lower in the left column; first letter upper, lower in the right.
  const std::array<QPoint, 4> places = {QPoint(24, 24), QPoint(24, 50), QPoint(144, 24),
                                        QPoint(144, 50)};

  QGroupBox* nameGroup = AddGroup(page, QStringLiteral("分组框6"), QStringLiteral("文件名"));
  Place(nameGroup, {10, 38, 278, 81}, true);
  QGroupBox* extGroup = AddGroup(page, QStringLiteral("分组框7"), QStringLiteral("扩展名"));
  Place(extGroup, {303, 38, 278, 81}, true);
  for (int i = 0; i < 4; ++i) {
    nameCase_[i] =
        AddRadio(nameGroup, nameRadios[i], captions[i], {places[i], QSize(88, 12)}, false, 22 + i);
    extCase_[i] = AddRadio(extGroup, extRadios[i], captions[i],
                           {places[i], QSize(i < 2 ? 73 : 106, 12)}, false, 26 + i);
  }
  nameCase_[0]->setChecked(true);
  extCase_[0]->setChecked(true);
}

void RulePanel::BuildMp3Page() {
  QWidget* page = AddPage(QStringLiteral("MP3标签"));
  AddLabel(page, QStringLiteral("标签11"), QStringLiteral("预定义方案："), {10, 32, 70, 12}, true);
  scheme_ = new QComboBox(page);
  scheme_->setObjectName(QStringLiteral("预定义方案组合框"));
  scheme_->addItems({QStringLiteral("艺术家-歌曲名"), QStringLiteral("艺术家-专辑-歌曲名"),
                     QStringLiteral("艺术家-专辑-年代-歌曲名"),
                     QStringLiteral("艺术家-专辑-年代-歌曲名-音轨")});
  scheme_->setCurrentIndex(-1);
  Place(scheme_, {87, 28, 224, 22}, true);
  connect(scheme_, &QComboBox::activated, this, &RulePanel::OnSchemeChosen);

  v1First_ = AddRadio(page, QStringLiteral("V1优先单选框"), QStringLiteral("ID3v1.x优先"),
                      {328, 29, 96, 12}, true);
  v2First_ = AddRadio(page, QStringLiteral("V2优先单选框"), QStringLiteral("ID3v2.x优先"),
                      {456, 29, 96, 12}, true);
  v2First_->setChecked(true);
  for (QRadioButton* radio : {v1First_, v2First_}) {
    connect(radio, &QRadioButton::clicked, this, &RulePanel::RequestPreview);
  }

  AddLabel(page, QStringLiteral("标签12"), QStringLiteral("命名规则："), {10, 57, 62, 12}, true);
  mp3Rule_ = AddEdit(page, QStringLiteral("MP3命名规则编辑框"), {87, 52, 495, 20}, true);
  mp3Rule_->setValidator(
      new ByteLimitValidator(kMp3RuleMaxBytes, ByteLimitValidator::Chars::Any, mp3Rule_));
  connect(mp3Rule_, &QLineEdit::textChanged, this, &RulePanel::OnMp3RuleChanged);
  reference_ = AddEdit(page, QStringLiteral("参照编辑框"), {87, 76, 495, 20}, true);
  reference_->setReadOnly(true);
  {
    QPalette palette = reference_->palette();
    palette.setColor(QPalette::Base, kGrey);
    palette.setColor(QPalette::Text, Qt::white);
    reference_->setPalette(palette);
  }

  auto* codes = new QFrame(page);
  codes->setObjectName(QStringLiteral("外形框3"));
  Place(codes, {87, 99, 495, 24}, true);
  const std::array<QString, 6> buttonNames = {
      QStringLiteral("艺术家超级按钮"), QStringLiteral("歌曲名超级按钮"),
      QStringLiteral("专辑超级按钮"),   QStringLiteral("音轨超级按钮"),
      QStringLiteral("年代超级按钮"),   QStringLiteral("流派超级按钮")};
  const std::array<QString, 6> fields = {QStringLiteral("艺术家"), QStringLiteral("歌曲名"),
                                         QStringLiteral("专辑"),   QStringLiteral("音轨"),
                                         QStringLiteral("年代"),   QStringLiteral("流派")};
  for (int i = 0; i < 6; ++i) {
    auto* button = new QPushButton(QStringLiteral("#%1-%2").arg(i + 1).arg(fields[i]), codes);
    button->setObjectName(buttonNames[i]);
    button->setToolTip(fields[i]);
    button->setProperty("tag", 51 + i);
    Place(button, {1 + 82 * i, 2, 82, 20}, false);
    if (i == 0) artistButton_ = button;
  }
  // The other five join this handler when routed.
  connect(artistButton_, &QPushButton::clicked, this, &RulePanel::OnCodeButtonClicked);
}

core::RuleInputs RulePanel::ReadInputs() const {
  core::RuleInputs inputs;
  inputs.Tab = currentIndex();

  core::GeneralRuleInput& general = inputs.General;
  general.Scope = ScopeOf(generalName_, generalExt_);
  general.NamePrefix = FromQString(nameEdits_[0]->text());
  general.NameText = FromQString(nameEdits_[1]->text());
  general.NameDigits = FromQString(nameEdits_[2]->text());
  general.NameSuffix = FromQString(nameEdits_[3]->text());
  general.ExtPrefix = FromQString(extEdits_[0]->text());
  general.ExtText = FromQString(extEdits_[1]->text());
  general.ExtDigits = FromQString(extEdits_[2]->text());
  general.ExtSuffix = FromQString(extEdits_[3]->text());
  general.Start = FromQString(start_->text());
  general.Step = FromQString(step_->text());

  core::ReplaceRuleInput& replace = inputs.Replace;
  replace.FindText = FromQString(findText_->text());
  replace.ReplaceText = FromQString(replaceText_->text());
  replace.CaseSensitive = caseSensitive_->isChecked();
  replace.Scope = ScopeOf(replaceName_, replaceExt_);

  core::InsertRuleInput& insert = inputs.Insert;
  insert.NameInsertText = FromQString(nameInsert_->text());
  insert.ExtInsertText = FromQString(extInsert_->text());
  insert.NameWhere =
      nameAtEnd_->isChecked() ? core::InsertWhere::AtEnd : core::InsertWhere::AtPosition;
  insert.NamePosition = FromQString(namePosition_->text());
  insert.ExtWhere =
      extAtEnd_->isChecked() ? core::InsertWhere::AtEnd : core::InsertWhere::AtPosition;
  insert.ExtPosition = FromQString(extPosition_->text());

  inputs.Case.NameCase = CaseOf(nameCase_);
  inputs.Case.ExtCase = CaseOf(extCase_);

  inputs.Mp3.Pattern = FromQString(mp3Rule_->text());
  inputs.Mp3.PreferV1 = v1First_->isChecked();
  return inputs;
}

void RulePanel::GreyExtensionGroup() {
  SetExtensionGroupActive(false);
}

void RulePanel::RouteSharedHandlers() {
  for (int tag = 1; tag <= 11; ++tag) {
    if (auto* edit = qobject_cast<QLineEdit*>(FindByTag(this, tag))) {
      connect(edit, &QLineEdit::textChanged, this, &RulePanel::OnSharedPreviewText,
              Qt::UniqueConnection);
    }
  }
  for (int tag = 20; tag <= 29; ++tag) {
    if (auto* radio = qobject_cast<QRadioButton*>(FindByTag(this, tag))) {
      connect(radio, &QRadioButton::clicked, this, &RulePanel::OnSharedRadioClicked,
              Qt::UniqueConnection);
    }
  }
  for (int tag = 52; tag <= 56; ++tag) {
    if (auto* button = qobject_cast<QPushButton*>(FindByTag(this, tag))) {
      connect(button, &QPushButton::clicked, this, &RulePanel::OnCodeButtonClicked,
              Qt::UniqueConnection);
    }
  }
}

void RulePanel::RequestPreview() {
  if (!muted_) emit PreviewRequested();
}

void RulePanel::SetNameGroupActive(bool active) {
  SetTextColour(nameGroup_, active ? kBlack : kGrey);
  for (QLabel* label : nameLabels_) SetTextColour(label, active ? kBlack : kGrey);
  for (QLineEdit* edit : nameEdits_) edit->setEnabled(active);
}

void RulePanel::SetExtensionGroupActive(bool active) {
  SetTextColour(extGroup_, active ? kBlack : kGrey);
  for (QLabel* label : extLabels_) SetTextColour(label, active ? kBlack : kGrey);
  for (QLineEdit* edit : extEdits_) edit->setEnabled(active);
}

void RulePanel::OnScopeClicked() {
  const core::Scope scope = ScopeOf(generalName_, generalExt_);
  SetNameGroupActive(scope != core::Scope::Extension);
  SetExtensionGroupActive(scope != core::Scope::Name);
  RequestPreview();
}

void RulePanel::OnClearClicked() {
  // Nine text changes, one preview at the end.
  muted_ = true;
  for (QLineEdit* edit : nameEdits_) edit->clear();
  for (QLineEdit* edit : extEdits_) edit->clear();
  start_->clear();
  muted_ = false;
  RequestPreview();
}

void RulePanel::OnSharedPreviewText() {
  RequestPreview();
}

void RulePanel::OnSharedRadioClicked() {
  RequestPreview();
}

void RulePanel::OnInsertNameTextChanged() {
  if (keepSame_->isChecked()) extInsert_->setText(nameInsert_->text());
  RequestPreview();
}

void RulePanel::OnKeepSameClicked() {
  const bool keep = keepSame_->isChecked();
  SetTextColour(extInsertLabel_, keep ? kGrey : kBlack);
  extInsert_->setEnabled(!keep);
  // The copy raises the box's own text change, and with it the preview.
  if (keep) extInsert_->setText(nameInsert_->text());
}

void RulePanel::OnInsertWhereClicked() {
  if (nameAtPosition_->isChecked()) namePosition_->setEnabled(true);
  if (nameAtEnd_->isChecked()) namePosition_->setEnabled(false);
  if (extAtPosition_->isChecked()) extPosition_->setEnabled(true);
  if (extAtEnd_->isChecked()) extPosition_->setEnabled(false);
  RequestPreview();
}

void RulePanel::OnMp3RuleChanged() {
  reference_->setText(ReferenceText(mp3Rule_->text()));
  RequestPreview();
}

void RulePanel::OnSchemeChosen(int index) {
  static const std::array<QString, 4> kPatterns = {
      QStringLiteral("#1-#2"), QStringLiteral("#1-#3-#2"), QStringLiteral("#1-#3-#5-#2"),
      QStringLiteral("#1-#3-#5-#2-#4")};
  if (index < 0 || index >= static_cast<int>(kPatterns.size())) return;
  mp3Rule_->setText(kPatterns[index]);
  // Nothing stays chosen, so the same scheme can be chosen again at once.
  scheme_->setCurrentIndex(-1);
  mp3Rule_->setFocus();
  RequestPreview();
}

void RulePanel::OnCodeButtonClicked() {
  auto* button = qobject_cast<QAbstractButton*>(sender());
  if (!button) return;
  const QString tag = button->property("tag").toString();
  if (tag.isEmpty()) return;
  const QString code = QStringLiteral("#") + tag.right(1);
  const QString rule = mp3Rule_->text();
  // The box's limit keeps the first 50 bytes of a longer text.
  mp3Rule_->setText(rule.isEmpty() ? code : rule + QStringLiteral("-") + code);
}
