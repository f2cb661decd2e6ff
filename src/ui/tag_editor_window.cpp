#include "ui/tag_editor_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "tags/genres.h"
#include "ui/byte_limit.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"
#include "ui/site.h"

namespace {

using tags::TagRecord;

const QString kCaption = QStringLiteral("Corvane批量修改文件名工具");
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kSilver(0xC0, 0xC0, 0xC0);
constexpr char kInternalText[] = "internalText";
constexpr char kShownText[] = "shownText";

QString ShownText(const QWidget* box) {
  if (auto* line = qobject_cast<const QLineEdit*>(box)) return line->text();
  return static_cast<const QPlainTextEdit*>(box)->toPlainText();
}

// Typing limits bind the user only: the program's own texts go in whole.
void PutText(QWidget* box, const std::string& internal) {
  if (auto* line = qobject_cast<QLineEdit*>(box)) {
    const QValidator* validator = line->validator();
    line->setValidator(nullptr);
    line->setText(ToQString(internal));
    line->setValidator(validator);
  } else {
    static_cast<QPlainTextEdit*>(box)->setPlainText(ToQString(internal));
  }
  box->setProperty(kInternalText,
                   QByteArray(internal.data(), static_cast<qsizetype>(internal.size())));
  box->setProperty(kShownText, ShownText(box));
}

// A text the user has not touched goes back byte for byte, even where its bytes
// are no characters (a field another program cut in half) or its line ends changed.
std::string TextOf(const QWidget* box) {
  QString shown = ShownText(box);
  QVariant stored = box->property(kInternalText);
  if (stored.isValid() && shown == box->property(kShownText).toString()) {
    QByteArray bytes = stored.toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return FromQString(shown);
}

QLabel* Label(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

TagEditorWindow::TagEditorWindow(const QString& path, Dialogs& dialogs, QWidget* parent)
    : ButtonClosedDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("TagEditorWindow"));
  setWindowTitle(QStringLiteral("MP3标签信息"));
  setFixedSize(564, 384);
  ++filling_;  // building the controls is no edit

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(Label("文件：", this));
  path_ = new QLineEdit(path, this);
  path_->setObjectName(QStringLiteral("MP3文件名编辑框"));
  path_->setReadOnly(true);
  fileRow->addWidget(path_, 1);

  auto* groups = new QHBoxLayout;
  groups->addWidget(BuildV1Group(), 5);
  groups->addWidget(BuildV2Group(), 8);

  auto makeButton = [this](const char* name, const char* text) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setObjectName(QString::fromUtf8(name));
    // Enter in an edit box must not press a button.
    button->setAutoDefault(false);
    return button;
  };
  copyV1ToV2_ = makeButton("v1复制到v2按钮", "ID3v1 复制到 ID3v2");
  copyV2ToV1_ = makeButton("v2复制到v1按钮", "ID3v2 复制到 ID3v1");
  update_ = makeButton("更新按钮", "更新");
  close_ = makeButton("关闭按钮", "关闭");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copyV1ToV2_);
  buttons->addWidget(copyV2ToV1_);
  buttons->addStretch(1);
  buttons->addWidget(update_);
  buttons->addWidget(close_);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->setSpacing(6);
  outer->addLayout(fileRow);
  outer->addLayout(groups, 1);
  outer->addLayout(buttons);

  connect(copyV1ToV2_, &QPushButton::clicked, this, &TagEditorWindow::CopyV1ToV2);
  connect(copyV2ToV1_, &QPushButton::clicked, this, &TagEditorWindow::CopyV2ToV1);
  connect(update_, &QPushButton::clicked, this, &TagEditorWindow::UpdateTags);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  for (Group group : {kV1, kV2}) {
    connect(check_[group], &QCheckBox::clicked, this,
            [this, group](bool on) { SetGroupEnabled(group, on); });
  }
  --filling_;

  if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  // The boxes' starting texts; a file without an ID3v2 tag keeps them.
  model_.V2.Url = FromQString(SitePage("/").toString());
  if (!tags::OpenTagEditor(FromQString(path), model_)) {
    dialogs_.Message(parent, QStringLiteral("打开文件：") + path + QStringLiteral("失败！"),
                     QStringLiteral("错误"), QMessageBox::Critical);
    return;
  }
  loaded_ = true;
  for (Group group : {kV1, kV2}) {
    ShowGroup(group);
    SetGroupEnabled(group, check_[group]->isChecked());
  }
  update_->setEnabled(false);
}

QWidget* TagEditorWindow::BuildV1Group() {
  auto* box = new QGroupBox(QStringLiteral("ID3v1"), this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(8, 4, 8, 8);
  grid->setVerticalSpacing(4);
  grid->setHorizontalSpacing(6);
  check_[kV1] = new QCheckBox(QStringLiteral("ID3v1 标签"), box);
  check_[kV1]->setObjectName(QStringLiteral("ID3v1选择框"));
  grid->addWidget(check_[kV1], 0, 0, 1, 4, Qt::AlignLeft);

  const int limit = static_cast<int>(tags::kV1TextLength);
  grid->addWidget(Label("歌曲名", box), 1, 0);
  grid->addWidget(AddLine(kV1, "歌曲名1编辑框", &TagRecord::Title, limit), 1, 1, 1, 3);
  grid->addWidget(Label("艺术家", box), 2, 0);
  grid->addWidget(AddLine(kV1, "艺术家1编辑框", &TagRecord::Artist, limit), 2, 1, 1, 3);
  grid->addWidget(Label("专辑", box), 3, 0);
  grid->addWidget(AddLine(kV1, "专辑1编辑框", &TagRecord::Album, limit), 3, 1, 1, 3);
  grid->addWidget(Label("年代", box), 4, 0);
  grid->addWidget(AddLine(kV1, "年代1编辑框", &TagRecord::Year, 4), 4, 1);
  grid->addWidget(Label("音轨 #", box), 4, 2);
  grid->addWidget(AddLine(kV1, "音轨1编辑框", &TagRecord::Track, 2, true), 4, 3);
  grid->addWidget(Label("流派", box), 5, 0);
  grid->addWidget(AddGenre(kV1, "流派1组合框"), 5, 1, 1, 3);
  grid->addWidget(Label("注释", box), 6, 0, Qt::AlignTop);
  v1Comment_ = AddComment(kV1, "注释1编辑框");
  grid->addWidget(v1Comment_, 6, 1, 1, 3);
  grid->setRowStretch(6, 1);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(3, 2);
  connect(v1Comment_, &QPlainTextEdit::textChanged, this, &TagEditorWindow::LimitV1Comment);
  return box;
}

QWidget* TagEditorWindow::BuildV2Group() {
  auto* box = new QGroupBox(QStringLiteral("ID3v2"), this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(8, 4, 8, 8);
  grid->setVerticalSpacing(4);
  grid->setHorizontalSpacing(6);
  check_[kV2] = new QCheckBox(QStringLiteral("ID3v2 标签"), box);
  check_[kV2]->setObjectName(QStringLiteral("ID3v2选择框"));
  grid->addWidget(check_[kV2], 0, 0, 1, 4, Qt::AlignLeft);

  grid->addWidget(Label("歌曲名", box), 1, 0);
  grid->addWidget(AddLine(kV2, "歌曲名2编辑框", &TagRecord::Title, 0), 1, 1, 1, 3);
  grid->addWidget(Label("艺术家", box), 2, 0);
  grid->addWidget(AddLine(kV2, "艺术家2编辑框", &TagRecord::Artist, 0), 2, 1, 1, 3);
  grid->addWidget(Label("专辑", box), 3, 0);
  grid->addWidget(AddLine(kV2, "专辑2编辑框", &TagRecord::Album, 0), 3, 1, 1, 3);

  grid->addWidget(Label("年代", box), 4, 0);
  auto* yearTrack = new QHBoxLayout;
  yearTrack->setSpacing(6);
  yearTrack->addWidget(AddLine(kV2, "年代2编辑框", &TagRecord::Year, 0), 3);
  yearTrack->addWidget(Label("音轨 #", box));
  yearTrack->addWidget(AddLine(kV2, "音轨2编辑框", &TagRecord::Track, 2), 2);
  grid->addLayout(yearTrack, 4, 1);
  grid->addWidget(Label("流派", box), 4, 2);
  grid->addWidget(AddGenre(kV2, "流派2组合框"), 4, 3);

  grid->addWidget(Label("作曲家", box), 5, 0);
  grid->addWidget(AddLine(kV2, "作曲家编辑框", &TagRecord::Composer, 0), 5, 1);
  grid->addWidget(Label("原创者", box), 5, 2);
  grid->addWidget(AddLine(kV2, "原创者编辑框", &TagRecord::OriginalArtist, 0), 5, 3);
  grid->addWidget(Label("版权", box), 6, 0);
  grid->addWidget(AddLine(kV2, "版权编辑框", &TagRecord::Rights, 0), 6, 1);
  grid->addWidget(Label("编码者", box), 6, 2);
  grid->addWidget(AddLine(kV2, "编码者编辑框", &TagRecord::Encoder, 0), 6, 3);
  grid->addWidget(Label("URL", box), 7, 0);
  grid->addWidget(AddLine(kV2, "URL编辑框", &TagRecord::Url, 0), 7, 1, 1, 3);
  grid->addWidget(Label("注释", box), 8, 0, Qt::AlignTop);
  grid->addWidget(AddComment(kV2, "注释2编辑框"), 8, 1, 1, 3);
  grid->setRowStretch(8, 1);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return box;
}

int TagEditorWindow::RowHeight() const {
  // Boxes a little lower than the style's, so that nine rows and a comment of
  // several lines fit the ID3v2 group.
  return fontMetrics().height() + 4;
}

QLineEdit* TagEditorWindow::AddLine(Group group, const char* name, std::string TagRecord::*member,
                                    int maxBytes, bool digitsOnly) {
  auto* line = new QLineEdit(this);
  line->setObjectName(QString::fromUtf8(name));
  line->setFixedHeight(RowHeight());
  if (maxBytes > 0) {
    line->setValidator(new ByteLimitValidator(
        maxBytes,
        digitsOnly ? ByteLimitValidator::Chars::SignedDigits : ByteLimitValidator::Chars::Any,
        line));
  }
  connect(line, &QLineEdit::textChanged, this, [this, group] { OnEdited(group); });
  fields_[group].push_back({member, line});
  return line;
}

QPlainTextEdit* TagEditorWindow::AddComment(Group group, const char* name) {
  auto* comment = new QPlainTextEdit(this);
  comment->setObjectName(QString::fromUtf8(name));
  comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  comment->setTabChangesFocus(true);
  connect(comment, &QPlainTextEdit::textChanged, this, [this, group] { OnEdited(group); });
  fields_[group].push_back({&TagRecord::Comment, comment});
  return comment;
}

QComboBox* TagEditorWindow::AddGenre(Group group, const char* name) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(QString::fromUtf8(name));
  combo->setFixedHeight(RowHeight());
  for (std::int16_t number : tags::GenreComboItems) {
    combo->addItem(ToQString(std::string(tags::GenreName(number))), int{number});
  }
  if (group == kV2) {
    combo->setEditable(true);
    // A typed genre is written as typed; it never becomes an item of the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    connect(combo, &QComboBox::editTextChanged, this, [this] { OnEdited(kV2); });
  }
  combo->setCurrentIndex(-1);
  combo->setMaxVisibleItems(16);
  connect(combo, &QComboBox::activated, this,
          [this, group](int item) { OnGenreChosen(group, item); });
  genre_[group] = combo;
  return combo;
}

void TagEditorWindow::ShowGroup(Group group) {
  ++filling_;
  const TagRecord& values = group == kV1 ? model_.V1 : model_.V2;
  for (const FieldBox& field : fields_[group]) PutText(field.Box, values.*field.Member);
  QComboBox* genre = genre_[group];
  genre->setCurrentIndex(group == kV1 ? model_.V1GenreItem : model_.V2GenreItem);
  if (group == kV2) genre->setEditText(ToQString(model_.V2.Genre));
  check_[group]->setChecked(group == kV1 ? model_.V1On : model_.V2On);
  --filling_;
}

void TagEditorWindow::StoreGroup(Group group, tags::TagEditorModel& model) const {
  TagRecord& values = group == kV1 ? model.V1 : model.V2;
  for (const FieldBox& field : fields_[group]) values.*field.Member = TextOf(field.Box);
  if (group == kV1) {
    model.V1On = check_[kV1]->isChecked();
    model.V1GenreItem = genre_[kV1]->currentIndex();
  } else {
    model.V2On = check_[kV2]->isChecked();
    model.V2GenreItem = genre_[kV2]->currentIndex();
    model.V2.Genre = FromQString(genre_[kV2]->currentText());
  }
}

tags::TagEditorModel TagEditorWindow::Model() const {
  tags::TagEditorModel model = model_;
  StoreGroup(kV1, model);
  StoreGroup(kV2, model);
  return model;
}

void TagEditorWindow::SetGroupEnabled(Group group, bool on) {
  for (const FieldBox& field : fields_[group]) {
    QPalette palette = field.Box->palette();
    palette.setColor(QPalette::Base, on ? kWhite : kSilver);
    field.Box->setPalette(palette);
    field.Box->setEnabled(on);
  }
  genre_[group]->setEnabled(on);
  (group == kV1 ? copyV1ToV2_ : copyV2ToV1_)->setEnabled(on);
  update_->setEnabled(true);
}

void TagEditorWindow::OnEdited(Group group) {
  if (filling_ > 0) return;
  update_->setEnabled(true);
  (group == kV1 ? model_.ChangedV1 : model_.ChangedV2) = true;
}

void TagEditorWindow::OnGenreChosen(Group group, int item) {
  if (item == model_.SeenGenreItem[group]) return;
  model_.SeenGenreItem[group] = item;
  OnEdited(group);
}

void TagEditorWindow::LimitV1Comment() {
  if (filling_ > 0) return;
  QString comment = v1Comment_->toPlainText();
  if (FromQString(comment).size() <= tags::kV1TextLength) return;
  QTextCursor cursor = v1Comment_->textCursor();
  int pos = cursor.position();
  ByteLimitValidator(static_cast<int>(tags::kV1TextLength), ByteLimitValidator::Chars::Any)
      .validate(comment, pos);
  ++filling_;
  v1Comment_->setPlainText(comment);
  --filling_;
  cursor = v1Comment_->textCursor();
  cursor.setPosition(pos);
  v1Comment_->setTextCursor(cursor);
}

void TagEditorWindow::CopyV1ToV2() {
  model_ = Model();
  tags::CopyV1ToV2(model_);
  ShowGroup(kV2);
  SetGroupEnabled(kV2, true);
}

void TagEditorWindow::CopyV2ToV1() {
  model_ = Model();
  tags::CopyV2ToV1(model_);
  ShowGroup(kV1);
  SetGroupEnabled(kV1, true);
}

void TagEditorWindow::UpdateTags() {
  const tags::UpdateResult result = tags::UpdateTags(Model());
  using tags::TagUpdate;
  struct Texts {
    const char* Written;
    const char* WriteFailed;
    const char* RemoveFailed;
  };
  const Texts texts[2] = {
      {"ID3v1标签更新成功！", "ID3v1标签更新失败！", "删除ID3v1标签失败！"},
      {"ID3v2标签更新成功！", "ID3v2标签更新失败！", "删除ID3v2标签失败！"},
  };
  const TagUpdate outcomes[2] = {result.V1, result.V2};
  auto failureText = [&](int v) -> const char* {
    if (outcomes[v] == TagUpdate::WriteFailed) return texts[v].WriteFailed;
    if (outcomes[v] == TagUpdate::RemoveFailed) return texts[v].RemoveFailed;
    return nullptr;
  };
  if (result.OpenFailed) {
    // Nothing was touched: one message names every change that could not be made.
    QStringList failures;
    for (int v : {0, 1}) {
      if (const char* text = failureText(v)) failures << QString::fromUtf8(text);
    }
    dialogs_.Message(this, failures.join(QLatin1Char('\n')), kCaption, QMessageBox::Critical);
    return;
  }
  for (int v : {0, 1}) {
    if (outcomes[v] == TagUpdate::Written) {
      dialogs_.Message(this, QString::fromUtf8(texts[v].Written), kCaption, QMessageBox::NoIcon);
    } else if (const char* text = failureText(v)) {
      dialogs_.Message(this, QString::fromUtf8(text), kCaption, QMessageBox::Critical);
    }
  }
}
