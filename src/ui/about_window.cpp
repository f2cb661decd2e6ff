#include "ui/about_window.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromUtf8(name));
  label->setGeometry(place);
  // Clicks go to the window, which closes on them.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutWindow"));
  setWindowTitle(QStringLiteral("关于Lumacor更名器"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
  setFixedSize(335, 256);
  setModal(true);
  const QString name = QStringLiteral("Corvane批量修改文件名工具");

  auto* banner = new QLabel(this);
  banner->setObjectName(QStringLiteral("图片框1"));
  banner->setGeometry(0, 0, 335, 70);
  banner->setAutoFillBackground(true);
  banner->setStyleSheet(QStringLiteral("background: white;"));
  banner->setAttribute(Qt::WA_TransparentForMouseEvents);
  QLabel* title = AddLabel(banner, "透明标签1", name, QRect(23, 14, 296, 40));
  QFont titleFont(QStringLiteral("Noto Serif CJK SC"));
  titleFont.setPixelSize(20);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->setStyleSheet(QStringLiteral("color: rgb(0, 96, 160); background: transparent;"));

  const QString valueStyle = QStringLiteral("color: rgb(0, 0, 128);");  // 8388608
  AddLabel(this, "标签1", QStringLiteral("软件名称："), QRect(17, 88, 70, 16));
  AddLabel(this, "软件名标签", name, QRect(88, 88, 230, 16))->setStyleSheet(valueStyle);
  AddLabel(this, "标签2", QStringLiteral("版本："), QRect(17, 111, 70, 16));
  AddLabel(this, "版本标签", QStringLiteral("1.0"), QRect(88, 111, 120, 16))
      ->setStyleSheet(valueStyle);
  QLabel* notice = AddLabel(
      this, "标签7", QStringLiteral("本软件为免费软件，欢迎使用和传播。\n单击本窗口任意处关闭。"),
      QRect(24, 144, 288, 40));
  notice->setWordWrap(true);
}

void AboutWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    accept();
    return;
  }
  QDialog::mousePressEvent(event);
}
