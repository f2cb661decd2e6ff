#include "ui/settings_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "text/number.h"
#include "ui/dialogs.h"
#include "ui/number_box.h"
#include "ui/qt_text.h"
#include "ui/window_helpers.h"

namespace {

// The window's size including its frame and title bar.
constexpr QSize kOuterSize(411, 180);

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

QLabel* AddLabel(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

ColorPicker::ColorPicker(Dialogs& dialogs, QWidget* parent)
    : QPushButton(parent), dialogs_(dialogs) {
  setAutoDefault(false);
  setFixedSize(44, 22);
  setIconSize(QSize(28, 12));
  connect(this, &QPushButton::clicked, this, &ColorPicker::Choose);
  ShowSwatch();
}

void ColorPicker::SetColorRef(std::int32_t colorRef) {
  colorRef_ = colorRef;
  ShowSwatch();
}

void ColorPicker::Choose() {
  std::optional<QColor> chosen = dialogs_.ChooseColor(window(), FromColorRef(colorRef_));
  if (!chosen || !chosen->isValid()) return;
  std::int32_t colorRef = ToColorRef(*chosen);
  // The stored value may carry a top byte; it stays until another colour is chosen.
  if (FromColorRef(colorRef_) == FromColorRef(colorRef)) return;
  SetColorRef(colorRef);
  emit ColorChanged();
}

void ColorPicker::ShowSwatch() {
  QPixmap swatch(iconSize());
  swatch.fill(FromColorRef(colorRef_));
  QPainter painter(&swatch);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
  painter.end();
  setIcon(QIcon(swatch));
  setToolTip(FromColorRef(colorRef_).name(QColor::HexRgb).toUpper());
}

SettingsWindow::SettingsWindow(settings::Settings& settings, Dialogs& dialogs,
                               std::function<void()> apply, QWidget* parent)
    : ButtonClosedDialog(parent), settings_(settings), dialogs_(dialogs), apply_(std::move(apply)) {
  setObjectName(QStringLiteral("SettingsWindow"));
  setWindowTitle(QStringLiteral("设置"));
  setModal(true);
  setFixedSize(kOuterSize);

  autoPreview_ = new QCheckBox(QStringLiteral("自动预览"), this);
  autoPreview_->setObjectName(QStringLiteral("自动预览选择框"));

  auto* range = new QGroupBox(this);
  range->setObjectName(QStringLiteral("PreviewRangeGroup"));
  range->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
  previewCount_ = new QRadioButton(QStringLiteral("预览的项目数："), range);
  previewCount_->setObjectName(QStringLiteral("预览指定数量单选框"));
  previewAll_ = new QRadioButton(QStringLiteral("预览全部"), range);
  previewAll_->setObjectName(QStringLiteral("预览全部单选框"));
  countBox_ = new NumberBox(NumberBox::Input::SignedInteger, 3, 1, 200, range);
  countBox_->setObjectName(QStringLiteral("预览数量编辑框"));
  countBox_->setFixedWidth(48);
  auto* rangeGrid = new QGridLayout(range);
  rangeGrid->setContentsMargins(8, 6, 8, 6);
  rangeGrid->setVerticalSpacing(6);
  rangeGrid->addWidget(previewCount_, 0, 0);
  rangeGrid->addWidget(countBox_, 0, 1);
  rangeGrid->addWidget(previewAll_, 1, 0, 1, 2);

  auto* left = new QVBoxLayout;
  left->setSpacing(6);
  left->addWidget(autoPreview_);
  left->addWidget(range);
  left->addStretch();

  backColor_ = new ColorPicker(dialogs_, this);
  backColor_->setObjectName(QStringLiteral("超级列表框背景颜色选择器"));
  textColor_ = new ColorPicker(dialogs_, this);
  textColor_->setObjectName(QStringLiteral("超级列表框字体颜色选择器"));
  QPushButton* fontButton = AddButton(this, "字体按钮", QStringLiteral("字体..."));
  fontInfo_ = AddLabel(this, QString());
  fontInfo_->setObjectName(QStringLiteral("FontInfo"));
  fontInfo_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* right = new QGridLayout;
  right->setHorizontalSpacing(8);
  right->setVerticalSpacing(6);
  right->addWidget(AddLabel(this, QStringLiteral("预览框背景的颜色")), 0, 0);
  right->addWidget(backColor_, 0, 1, Qt::AlignLeft);
  right->addWidget(AddLabel(this, QStringLiteral("预览框字体的颜色")), 1, 0);
  right->addWidget(textColor_, 1, 1, Qt::AlignLeft);
  right->addWidget(AddLabel(this, QStringLiteral("预览框字体的大小")), 2, 0);
  right->addWidget(fontButton, 2, 1, Qt::AlignLeft);
  right->addWidget(fontInfo_, 3, 0, 1, 2);
  right->setColumnStretch(1, 1);
  right->setRowStretch(4, 1);

  QPushButton* defaults = AddButton(this, "默认按钮", QStringLiteral("恢复默认"));
  QPushButton* ok = AddButton(this, "确定按钮", QStringLiteral("确定"));
  ok->setDefault(true);
  QPushButton* cancel = AddButton(this, "取消按钮", QStringLiteral("取消"));
  applyButton_ = AddButton(this, "应用按钮", QStringLiteral("应用"));
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(6);
  buttons->addWidget(defaults);
  buttons->addStretch();
  for (QPushButton* button : {ok, cancel, applyButton_}) buttons->addWidget(button);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(14);
  columns->addLayout(left);
  columns->addLayout(right, 1);
  auto* root = new QVBoxLayout(this);
  // The window's size is fixed; the layout only places the controls inside it.
  root->setSizeConstraint(QLayout::SetNoConstraint);
  root->setContentsMargins(10, 8, 10, 10);
  root->setSpacing(6);
  root->addLayout(columns, 1);
  root->addLayout(buttons);

  connect(autoPreview_, &QCheckBox::clicked, this, [this] {
    UpdatePreviewControls();
    MarkChanged();
  });
  connect(previewAll_, &QRadioButton::clicked, this, [this] {
    MarkChanged();
    countBox_->setEnabled(false);
  });
  connect(previewCount_, &QRadioButton::clicked, this, [this] {
    MarkChanged();
    countBox_->setEnabled(true);
  });
  connect(countBox_, &QLineEdit::textChanged, this, [this] {
    if (!filling_) MarkChanged();
  });
  for (ColorPicker* picker : {backColor_, textColor_}) {
    connect(picker, &ColorPicker::ColorChanged, this, &SettingsWindow::MarkChanged);
  }
  connect(fontButton, &QPushButton::clicked, this, &SettingsWindow::ChooseFont);
  connect(defaults, &QPushButton::clicked, this, &SettingsWindow::RestoreDefaults);
  connect(ok, &QPushButton::clicked, this, &SettingsWindow::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(applyButton_, &QPushButton::clicked, this, &SettingsWindow::Apply);

  FillSettingsWindow();
  UpdatePreviewControls();
  applyButton_->setEnabled(false);
}

void SettingsWindow::FillSettingsWindow() {
  filling_ = true;
  FillControls(settings_);
  filling_ = false;
}

void SettingsWindow::FillControls(const settings::Settings& s) {
  autoPreview_->setChecked(s.AutoPreview == 1);
  (s.PreviewAll == 0 ? previewCount_ : previewAll_)->setChecked(true);
  // A stored count longer than the box takes (a hand-edited 1000) is shown whole,
  // so that collecting the box gives it back unchanged; typing is still held to 3.
  const QValidator* limit = countBox_->validator();
  countBox_->setValidator(nullptr);
  countBox_->setText(QString::number(s.PreviewCount));
  countBox_->setValidator(limit);
  backColor_->SetColorRef(s.BackColor);
  textColor_->SetColorRef(s.TextColor);
  fontName_ = s.FontName;
  fontSize_ = s.FontSize;
  fontBold_ = s.FontBold == 1;
  fontItalic_ = s.FontItalic == 1;
  ShowFont();
}

void SettingsWindow::UpdatePreviewControls() {
  const bool on = autoPreview_->isChecked();
  previewCount_->setEnabled(on);
  previewAll_->setEnabled(on);
  // The stored choice decides, not the radio button now chosen.
  countBox_->setEnabled(on && settings_.PreviewAll != 1);
}

void SettingsWindow::CollectSettings() {
  settings_.AutoPreview = autoPreview_->isChecked() ? 1 : 0;
  settings_.PreviewAll = previewAll_->isChecked() ? 1 : 0;
  settings_.PreviewCount = text::TextToNumber(FromQString(countBox_->text()));
  settings_.BackColor = backColor_->ColorRef();
  settings_.TextColor = textColor_->ColorRef();
  settings_.FontName = fontName_;
  settings_.FontSize = fontSize_;
  settings_.FontBold = fontBold_ ? 1 : 0;
  settings_.FontItalic = fontItalic_ ? 1 : 0;
}

void SettingsWindow::ShowFont() {
  QString info = ToQString(fontName_) + QLatin1Char(' ') + QString::number(fontSize_);
  if (fontBold_ || fontItalic_) {
    info += QLatin1Char(' ') + (fontBold_ && fontItalic_ ? QStringLiteral("粗斜体")
                                : fontBold_              ? QStringLiteral("粗体")
                                                         : QStringLiteral("斜体"));
  }
  fontInfo_->setToolTip(info);
  // A long face name is cut with an ellipsis rather than pushing the layout.
  const int room = fontInfo_->isVisible() ? fontInfo_->width() : kOuterSize.width() / 2;
  fontInfo_->setText(fontInfo_->fontMetrics().elidedText(info, Qt::ElideMiddle, room));
}

void SettingsWindow::MarkChanged() {
  applyButton_->setEnabled(true);
}

void SettingsWindow::ChooseFont() {
  std::optional<FontChoice> chosen =
      dialogs_.ChooseFont(this, {ToQString(fontName_), fontSize_, fontBold_, fontItalic_});
  if (!chosen) return;
  MarkChanged();
  fontName_ = FromQString(chosen->Family);
  // The face name is stored at once; size and style wait for OK or Apply.
  settings_.FontName = fontName_;
  if (chosen->PointSize > 0) fontSize_ = chosen->PointSize;
  fontBold_ = chosen->Bold;
  fontItalic_ = chosen->Italic;
  ShowFont();
}

void SettingsWindow::RestoreDefaults() {
  MarkChanged();
  settings::Settings defaults;
  settings::SetDefaultSettings(defaults);
  FillControls(defaults);
  UpdatePreviewControls();
}

void SettingsWindow::Ok() {
  if (applyButton_->isEnabled()) {
    CollectSettings();
    apply_();
  }
  accept();
}

void SettingsWindow::Apply() {
  applyButton_->setEnabled(false);
  WaitCursor wait;
  CollectSettings();
  apply_();
}

void SettingsWindow::FitOuterSize(QSize frame) {
  const QSize client = kOuterSize - frame;
  if (client.isValid() && client != size()) setFixedSize(client);
}

void SettingsWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    // Before the window manager frames us, the parent's frame is the best guess at
    // ours; the base class then centres the window over its parent.
    QWidget* top = parentWidget() ? parentWidget()->window() : nullptr;
    if (top && top->isVisible()) FitOuterSize(top->frameGeometry().size() - top->size());
  }
  QDialog::showEvent(event);
  // The label's width is known only now.
  ShowFont();
}

void SettingsWindow::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  // Once the real frame is known, the outer size is made exact.
  const QSize frame = frameGeometry().size() - size();
  if (isVisible() && (frame.width() > 0 || frame.height() > 0)) FitOuterSize(frame);
}
