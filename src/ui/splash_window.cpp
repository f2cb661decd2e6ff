#include "ui/splash_window.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "ui/dialogs.h"
#include "ui/site.h"

SplashWindow::SplashWindow(Dialogs& dialogs, std::function<void()> enter, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), enter_(std::move(enter)) {
  setObjectName(QStringLiteral("SplashWindow"));
  setWindowTitle(QStringLiteral("Corvane批量修改文件名工具"));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(343, 365);
  setAttribute(Qt::WA_DeleteOnClose);

  auto* description = new QPlainTextEdit(this);
  description->setObjectName(QStringLiteral("编辑框1"));
  description->setGeometry(5, 8, 333, 276);
  description->setReadOnly(true);
  description->setFrameShape(QFrame::NoFrame);
  description->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0); background: transparent;"));
  description->setPlainText(QStringLiteral(
      "Corvane批量修改文件名工具是一款纯绿色的免费软件，能对大批量的文件进行批量更名，"
      "使用简单，更名速度快；\n\n 提供基本的文件更名（常规方式），可单独对文件名和扩展名进行修改；"
      "\n\n 提供在原有文件名的基础上进行替换/删除操作；\n\n 提供在原有文件名的基础上进行插入操作；"
      "\n\n 支持MP3标签更名（ID3 V1.0 ID3 V1.1 ID3 V2.3）；\n\n 支持MP3标签写入和删除；\n\n "
      "支持自动预览；\n\n 支持过滤功能；\n\n 支持拖放操作；\n\n 支持撤消；   \n\n"));

  // The program offers no partner software: the offer's check box stays hidden.
  auto* offer = new QCheckBox(this);
  offer->setObjectName(QStringLiteral("选择框1"));
  offer->setGeometry(8, 272, 96, 24);
  offer->hide();

  auto* site = new QPushButton(QStringLiteral("访问官网"), this);
  site->setObjectName(QStringLiteral("btn_confirm1"));
  site->setGeometry(92, 300, 104, 32);
  connect(site, &QPushButton::clicked, this,
          [this] { dialogs_.OpenUrl(SitePage("/post/10.html")); });

  enterButton_ = new QPushButton(QStringLiteral("进入软件"), this);
  enterButton_->setObjectName(QStringLiteral("btn_confirm"));
  enterButton_->setGeometry(217, 300, 104, 32);
  enterButton_->setDefault(true);
  connect(enterButton_, &QPushButton::clicked, this, &SplashWindow::EnterProgram);

  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void SplashWindow::EnterProgram() {
  // Disabled at once, so a second click while the main window opens does nothing.
  if (!enterButton_->isEnabled()) return;
  enterButton_->setEnabled(false);
  if (enter_) enter_();
  close();
}
