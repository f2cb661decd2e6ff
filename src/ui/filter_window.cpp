#include "ui/filter_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/dialogs.h"
#include "ui/qt_text.h"

namespace {

template <typename Widget>
Widget* Make(QWidget* parent, const char* name, const QRect& place) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(place);
  return widget;
}

}  // namespace

FilterWindow::FilterWindow(Dialogs& dialogs,
                           std::function<std::string(const core::FilterInput&)> filter,
                           QWidget* parent)
    : ButtonClosedDialog(parent), dialogs_(dialogs), filter_(std::move(filter)) {
  setObjectName(QStringLiteral("FilterWindow"));
  setWindowTitle(QStringLiteral("过滤设置"));
  setFixedSize(348, 189);

  Make<QLabel>(this, "标签1", {27, 13, 90, 18})->setText(QStringLiteral("操作方式："));
  operation_ = Make<QComboBox>(this, "操作方式组合框", {128, 10, 80, 24});
  operation_->setEditable(true);
  operation_->addItems({QStringLiteral("删除"), QStringLiteral("保留")});
  operation_->setCurrentIndex(0);

  byExtension_ = Make<QRadioButton>(this, "扩展名单选框", {27, 41, 90, 20});
  byExtension_->setText(QStringLiteral("扩展名"));
  byExtension_->setChecked(true);
  extension_ = Make<QComboBox>(this, "扩展名组合框", {128, 39, 80, 24});
  extension_->setEditable(true);
  extension_->addItems({"txt", "mp3", "jpg", "bmp", "gif", "jpeg", "wav", "wma", "fla", "swf", "rm",
                        "avi", "htm", "html", "doc", "ppt"});
  extension_->setCurrentIndex(-1);
  extension_->setEditText(QString());

  byContent_ = Make<QRadioButton>(this, "包含内容单选框", {27, 68, 90, 20});
  byContent_->setText(QStringLiteral("包含内容"));
  content_ = Make<QLineEdit>(this, "包含内容编辑框", {128, 67, 192, 22});

  closeAfter_ = Make<QCheckBox>(this, "过滤完成后关闭对话框选择框", {27, 97, 200, 20});
  closeAfter_->setText(QStringLiteral("过滤完成后关闭对话框"));
  closeAfter_->setChecked(true);

  auto* ok = Make<QPushButton>(this, "确定按钮", {152, 140, 76, 26});
  ok->setText(QStringLiteral("确定"));
  ok->setDefault(true);
  auto* cancel = Make<QPushButton>(this, "取消按钮", {256, 140, 76, 26});
  cancel->setText(QStringLiteral("取消"));

  connect(byExtension_, &QRadioButton::clicked, this, [this] {
    content_->setEnabled(false);
    extension_->setEnabled(true);
  });
  connect(byContent_, &QRadioButton::clicked, this, [this] {
    extension_->setEnabled(false);
    content_->setEnabled(true);
  });
  connect(ok, &QPushButton::clicked, this, &FilterWindow::Accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

core::FilterInput FilterWindow::ReadInput() const {
  core::FilterInput input;
  // A typed or cleared text names no operation.
  int index = operation_->currentIndex();
  bool chosen = index >= 0 && operation_->currentText() == operation_->itemText(index);
  input.Operation = chosen ? index : core::kNoOperation;
  input.ByExtension = byExtension_->isChecked();
  input.ByContent = byContent_->isChecked();
  input.Extension = FromQString(extension_->currentText());
  input.Content = FromQString(content_->text());
  input.CloseAfter = closeAfter_->isChecked();
  return input;
}

void FilterWindow::Accept() {
  core::FilterInput input = ReadInput();
  std::string refusal = filter_(input);
  if (!refusal.empty()) {
    dialogs_.Message(this, ToQString(refusal), ToQString(core::FilterTitle()),
                     QMessageBox::Warning);
    return;
  }
  if (input.CloseAfter) accept();
}
