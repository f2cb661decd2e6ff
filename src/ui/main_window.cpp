#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <optional>

#include "core/filter.h"
#include "core/list_commands.h"
#include "core/preview.h"
#include "core/rename_run.h"
#include "platform/files.h"
#include "settings/last_directory.h"
#include "text/text.h"
#include "ui/about_window.h"
#include "ui/dialogs.h"
#include "ui/file_list_model.h"
#include "ui/filter_window.h"
#include "ui/icons.h"
#include "ui/qt_text.h"
#include "ui/rule_panel.h"
#include "ui/settings_window.h"
#include "ui/site.h"
#include "ui/tag_editor_window.h"
#include "ui/window_helpers.h"

namespace {

const QString kCaption = QStringLiteral("Corvane批量修改文件名工具");
constexpr int kMinWidth = 598;
constexpr int kMinHeight = 378;

// The directory of a chosen file's full path, ending with '/'.
QString DirectoryOf(const QString& path) {
  qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? QString() : path.left(slash + 1);
}

}  // namespace

MainWindow::MainWindow(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
  setObjectName(QStringLiteral("MainWindow"));
  auto* central = new QWidget(this);
  setCentralWidget(central);
  panel_ = new RulePanel(central);
  list_ = new QTableView(central);
  list_->setObjectName(QStringLiteral("显示超级列表框"));
  model_ = new FileListModel(state_.Workspace.List, this);
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  // Uniform rows keep a list of 100,000 entries as quick as a short one.
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(18);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const int widths[core::kColumnCount] = {150, 150, 200, 100, 100};
  for (int c = 0; c < core::kColumnCount; ++c) list_->setColumnWidth(c, widths[c]);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list_, &QWidget::customContextMenuRequested, this, &MainWindow::ShowListMenu);
  connect(list_, &QAbstractItemView::doubleClicked, this, &MainWindow::OnListDoubleClicked);

  CreateMenus();
  CreateToolbar();
  CreateStatusBar();
  connect(panel_, &RulePanel::PreviewRequested, this, [this] { RefreshPreview(0); });

  // The creation sequence.
  settings::LoadSettings(state_.Settings, state_.ConfigPath);
  ApplySettings();
  state_.Workspace.Commands = {};
  ShowCommandStates();
  panel_->GreyExtensionGroup();
  setAcceptDrops(true);
  panel_->RouteSharedHandlers();
  setWindowTitle(kCaption);

  // Menu shortcuts must reach their commands from every control, edit boxes included.
  qApp->installEventFilter(this);
  setMinimumSize(kMinWidth, kMinHeight);
  resize(kMinWidth, kMinHeight);
  LayoutMainWindow();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  if (!settingsSaved_) settings::SaveSettings(state_.Settings, state_.ConfigPath);
}

QAction* MainWindow::MenuAction(const QString& objectName) const {
  return findChild<QAction*>(objectName);
}

void MainWindow::CreateMenus() {
  QIcon dirIcon = ProgramIcon(IconKind::Directory);
  QIcon filesIcon = ProgramIcon(IconKind::AddFiles);
  auto add = [this](QMenu* menu, const QString& name, const QString& text,
                    const QKeySequence& key = {}, const QIcon& icon = {}) {
    QAction* action = menu->addAction(icon, text);
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
  };

  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  connect(add(file, QStringLiteral("选择目录菜单"), QStringLiteral("选择目录(&D)..."),
              QKeySequence(Qt::CTRL | Qt::Key_D), dirIcon),
          &QAction::triggered, this, [this] { AddDirectory(); });
  connect(add(file, QStringLiteral("添加文件菜单"), QStringLiteral("添加文件(&N)..."),
              QKeySequence(Qt::CTRL | Qt::Key_F), filesIcon),
          &QAction::triggered, this, &MainWindow::AddFiles);
  file->addSeparator();
  connect(add(file, QStringLiteral("退出菜单"), QStringLiteral("退出(&X)"),
              QKeySequence(Qt::CTRL | Qt::Key_X)),
          &QAction::triggered, this, &QWidget::close);

  QMenu* options = menuBar()->addMenu(QStringLiteral("选项(&O)"));
  connect(add(options, QStringLiteral("设置菜单"), QStringLiteral("设置(&S)..."),
              QKeySequence(Qt::CTRL | Qt::Key_S), ProgramIcon(IconKind::Settings)),
          &QAction::triggered, this, [this] {
            SettingsWindow window(
                state_.Settings, dialogs_, [this] { ApplySettings(); }, this);
            window.exec();
          });

  QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  connect(add(help, QStringLiteral("使用帮助菜单"), QStringLiteral("使用帮助(&D)..."),
              QKeySequence(Qt::Key_F1), ProgramIcon(IconKind::Help)),
          &QAction::triggered, this, &MainWindow::OpenHelp);
  connect(add(help, QStringLiteral("关于菜单"), QStringLiteral("关于(&A)...")), &QAction::triggered,
          this, &MainWindow::OpenAbout);

  // The context menu of the list, never shown in the menu bar.
  listMenu_ = new QMenu(QStringLiteral("右键菜单"), this);
  listMenu_->setObjectName(QStringLiteral("ListMenu"));
  connect(add(listMenu_, QStringLiteral("预览菜单"), QStringLiteral("预览(&V)")),
          &QAction::triggered, this, [this] { RefreshPreview(1); });
  listMenu_->addSeparator();
  connect(add(listMenu_, QStringLiteral("添加整个目录菜单"), QStringLiteral("添加整个目录(&O)"), {},
              dirIcon),
          &QAction::triggered, this, [this] { AddDirectory(); });
  connect(
      add(listMenu_, QStringLiteral("加入文件菜单"), QStringLiteral("加入文件(&F)"), {}, filesIcon),
      &QAction::triggered, this, &MainWindow::AddFiles);
  listMenu_->addSeparator();
  connect(add(listMenu_, QStringLiteral("过滤菜单"), QStringLiteral("过滤(&L)...")),
          &QAction::triggered, this, &MainWindow::OpenFilter);
  listMenu_->addSeparator();
  connect(
      add(listMenu_, QStringLiteral("删除选择的项目菜单"), QStringLiteral("删除选择的项目(&D)")),
      &QAction::triggered, this, &MainWindow::DeleteSelectedEntries);
  connect(add(listMenu_, QStringLiteral("清空列表菜单"), QStringLiteral("清空列表(&E)")),
          &QAction::triggered, this, &MainWindow::ClearList);
  listMenu_->addSeparator();
  connect(add(listMenu_, QStringLiteral("MP3标签信息菜单"), QStringLiteral("MP3标签信息(&I)...")),
          &QAction::triggered, this, &MainWindow::OpenTagEditorMenu);
  connect(add(listMenu_, QStringLiteral("删除无MP3标签项目菜单"),
              QStringLiteral("删除无MP3标签项目(M)")),
          &QAction::triggered, this, &MainWindow::DeleteUntaggedEntries);
  listMenu_->addSeparator();
  QAction* selectAll = add(listMenu_, QStringLiteral("全选菜单"), QStringLiteral("全选"));
  // Shown in the menu; the list itself handles the key.
  selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  selectAll->setShortcutContext(Qt::WidgetShortcut);
  connect(selectAll, &QAction::triggered, list_, &QAbstractItemView::selectAll);
}

void MainWindow::CreateToolbar() {
  toolbar_ = addToolBar(QStringLiteral("工具条"));
  toolbar_->setObjectName(QStringLiteral("工具条"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(16, 16));
  toolbar_->setFixedHeight(28);
  toolbar_->toggleViewAction()->setVisible(false);
  struct Button {
    int index;
    IconKind icon;
    const char* tooltip;
  };
  const Button buttons[] = {
      {kAddDirectoryButton, IconKind::Directory, "选择目录"},
      {kAddFilesButton, IconKind::AddFiles, "加入多个文件"},
      {kUndoButton, IconKind::Undo, "撤消"},
      {kPreviewButton, IconKind::Preview, "预览"},
      {kRenameButton, IconKind::Rename, "开始命名"},
      {kHelpButton, IconKind::Help, "帮助"},
  };
  int next = 0;
  for (const Button& button : buttons) {
    for (; next < button.index; ++next) toolbarActions_[next] = toolbar_->addSeparator();
    QAction* action = toolbar_->addAction(ProgramIcon(button.icon), QString());
    action->setToolTip(QString::fromUtf8(button.tooltip));
    action->setObjectName(QStringLiteral("toolbar%1").arg(button.index));
    int index = button.index;
    connect(action, &QAction::triggered, this, [this, index] { DispatchToolbar(index); });
    toolbarActions_[next++] = action;
  }
}

void MainWindow::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("状态条"));
  bar->setSizeGripEnabled(true);
  bar->setFixedHeight(20);
  const int widths[3] = {80, 247, 80};
  const QString texts[3] = {QStringLiteral("文件个数"), QStringLiteral("进度"),
                            QStringLiteral("自动预览")};
  for (int i = 0; i < 3; ++i) {
    panes_[i] = new QLabel(texts[i], bar);
    panes_[i]->setObjectName(QStringLiteral("状态条窗格%1").arg(i));
    panes_[i]->setFixedWidth(widths[i]);
    panes_[i]->setFrameShape(QFrame::Panel);
    panes_[i]->setFrameShadow(QFrame::Sunken);
    bar->addWidget(panes_[i]);
  }
}

void MainWindow::ShowCommandStates() {
  const core::CommandStates& commands = state_.Workspace.Commands;
  toolbarActions_[kUndoButton]->setEnabled(commands.Undo);
  toolbarActions_[kPreviewButton]->setEnabled(commands.Preview);
  toolbarActions_[kRenameButton]->setEnabled(commands.Rename);
}

// Shows what a command changed in the list, the status panes and the commands.
void MainWindow::FinishCommand() {
  model_->Sync();
  const auto& panes = state_.Workspace.List.StatusPanes();
  for (int i : {0, 2}) {
    if (!panes[i].empty()) panes_[i]->setText(ToQString(panes[i]));
  }
  ShowCommandStates();
}

void MainWindow::RefreshPreview(int all) {
  const settings::Settings& s = state_.Settings;
  core::RuleInputs inputs = panel_->ReadInputs();
  // The tag tab reads every MP3 file of the list; on a long list that takes a while.
  std::optional<WaitCursor> wait;
  if (inputs.Tab == core::kMp3Tab && s.AutoPreview == 1) wait.emplace();
  core::RefreshPreview(state_.Workspace.List, {s.AutoPreview, s.PreviewAll, s.PreviewCount}, inputs,
                       all);
  model_->Sync();
}

void MainWindow::ApplySettings() {
  const settings::Settings& s = state_.Settings;
  QColor text = FromColorRef(s.TextColor);
  QColor background = FromColorRef(s.BackColor);
  QPalette palette = list_->palette();
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::Text, text);
  list_->setPalette(palette);
  model_->SetColors(text, background);
  QFont font = list_->font();
  font.setFamily(ToQString(s.FontName));
  if (s.FontSize > 0) font.setPointSize(s.FontSize);
  font.setBold(s.FontBold == 1);
  font.setItalic(s.FontItalic == 1);
  list_->setFont(font);
  list_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
  // Menus are drawn in the list's background colour.
  QPalette menuPalette = menuBar()->palette();
  menuPalette.setColor(QPalette::Window, background);
  menuPalette.setColor(QPalette::Base, background);
  // Disabled items stay readable on any background: a darker shade of it, not etched.
  QColor disabled = background.lightness() > 100 ? background.darker(190) : background.lighter(190);
  menuPalette.setColor(QPalette::Disabled, QPalette::Text, disabled);
  menuPalette.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
  menuPalette.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
  menuPalette.setColor(QPalette::Disabled, QPalette::Light, Qt::transparent);
  for (QMenu* menu : findChildren<QMenu*>()) menu->setPalette(menuPalette);
  RefreshPreview(0);
  state_.Workspace.List.UpdateStatusBar(s.AutoPreview);
  FinishCommand();
}

void MainWindow::ShowAddedEntries(int oldCount) {
  (void)oldCount;  // the rows were appended by the list itself
  RefreshPreview(0);
  state_.Workspace.Commands.Rename = true;
  state_.Workspace.Commands.Preview = true;
  state_.Workspace.List.UpdateStatusBar(state_.Settings.AutoPreview);
  FinishCommand();
}

void MainWindow::AddFiles() {
  // dir.txt is created empty on first use, as a sign that the directory is remembered.
  std::string lastDirPath = state_.LastDirPath;
  if (!lastDirPath.empty() && !platform::PathExists(lastDirPath)) {
    platform::WriteFileReplacing(lastDirPath, {});
  }
  QString start = ToQString(settings::ReadLastDirectory(lastDirPath));
  QStringList paths = dialogs_.OpenFiles(
      this, QStringLiteral("请选择文件(可多选)："),
      QStringLiteral("所有文件(*.*) (*);;音乐文件(*.mp3;wav;wma) (*.mp3 *.wav *.wma);;"
                     "图片文件(*.gif;*.jpg;*.jpeg;*.bmp;*.png) (*.gif *.jpg *.jpeg *.bmp *.png);;"
                     "文本文件(*.txt) (*.txt)"),
      start);
  if (paths.isEmpty()) return;
  WaitCursor wait;
  core::FileList& list = state_.Workspace.List;
  int oldCount = list.FileCount();
  QString directory = DirectoryOf(paths.first());
  if (!lastDirPath.empty()) settings::WriteLastDirectory(lastDirPath, FromQString(directory));
  // The dialog returns the paths as a list, so a name holding ";" stays whole.
  AppendFiles(paths);
  ShowAddedEntries(oldCount);
}

// Appends files by full path; the files of one directory form one batch with one
// path text, so no file is ever listed under a directory it does not lie in.
void MainWindow::AppendFiles(const QStringList& paths) {
  core::FileList& list = state_.Workspace.List;
  std::vector<std::string> names;
  QString batchDir;
  auto flush = [&] {
    if (!names.empty()) list.AddBatch(FromQString(batchDir), names);
    names.clear();
  };
  for (const QString& path : paths) {
    QString dir = DirectoryOf(path);
    if (dir != batchDir) {
      flush();
      batchDir = dir;
    }
    names.push_back(FromQString(path.mid(dir.size())));
  }
  flush();
}

void MainWindow::AddDroppedFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  QStringList files;
  QStringList others;
  for (const QString& path : paths) {
    std::string internal = FromQString(path);
    bool isFile = platform::PathExists(internal) && !platform::IsDirectory(internal);
    (isFile ? files : others) << path;
  }
  {
    WaitCursor wait;
    int oldCount = state_.Workspace.List.FileCount();
    AppendFiles(files);
    ShowAddedEntries(oldCount);
  }
  for (const QString& dir : others) AddDirectory(dir);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << QDir::cleanPath(url.toLocalFile());
  }
  event->acceptProposedAction();
  AddDroppedFiles(paths);
}

void MainWindow::AddDirectory(const QString& path) {
  QString dir =
      path.isEmpty() ? dialogs_.ExistingDirectory(this, QStringLiteral("请选择一个目录")) : path;
  if (dir.isEmpty()) return;
  WaitCursor wait;
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  core::FileList& list = state_.Workspace.List;
  int oldCount = list.FileCount();
  std::string internalDir = FromQString(dir);
  auto listing = platform::ListFiles(internalDir);
  if (listing) list.AddBatch(internalDir, listing->Names);
  ShowAddedEntries(oldCount);
  if (listing && listing->Skipped > 0) {
    // A name that is not UTF-8 has no text the program can rename it by; say so
    // rather than leave the file out silently.
    dialogs_.Message(this,
                     QStringLiteral("目录中有 %1 个文件的名称不是有效的 UTF-8 文本，未加入列表。")
                         .arg(listing->Skipped),
                     kCaption, QMessageBox::Warning);
  }
}

void MainWindow::RunRename() {
  core::RunResult result;
  {
    WaitCursor wait;
    toolbarActions_[kPreviewButton]->setEnabled(false);
    // The window stays painted while the run goes on; user input waits for its end.
    auto progress = [this](const std::string& bar) {
      panes_[1]->setText(ToQString(bar));
      model_->Sync();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    result = core::RenameRun(state_.Workspace, panel_->ReadInputs(), progress);
    FinishCommand();
  }
  dialogs_.Message(this, ToQString(core::RenameSummary(result)), kCaption,
                   result.Done == result.Total ? QMessageBox::Information : QMessageBox::Warning);
}

void MainWindow::RunUndo() {
  if (!dialogs_.Ask(this, ToQString(core::UndoQuestion()), ToQString(core::UndoQuestionTitle()),
                    QMessageBox::Information)) {
    return;
  }
  core::RunResult result;
  {
    WaitCursor wait;
    auto progress = [this](const std::string& bar) {
      panes_[1]->setText(ToQString(bar));
      model_->Sync();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    result = core::UndoLastRun(state_.Workspace, progress);
    panes_[1]->setText(ToQString(state_.Workspace.List.StatusPanes()[1]));
    FinishCommand();
  }
  dialogs_.Message(this, ToQString(core::UndoSummary(result)), kCaption,
                   result.Done == result.Total ? QMessageBox::Information : QMessageBox::Warning);
}

void MainWindow::DispatchToolbar(int index) {
  switch (index) {
    case kAddDirectoryButton:
      AddDirectory();
      break;
    case kAddFilesButton:
      AddFiles();
      break;
    case kUndoButton:
      RunUndo();
      break;
    case kPreviewButton:
      RefreshPreview(1);
      break;
    case kRenameButton:
      RunRename();
      break;
    case kHelpButton:
      OpenHelp();
      break;
    default:
      break;
  }
  panes_[1]->setText(QString());
}

void MainWindow::OpenFilter() {
  FilterWindow filter(
      dialogs_,
      [this](const core::FilterInput& input) {
        WaitCursor wait;
        std::string refusal =
            core::ApplyFilter(state_.Workspace, input, state_.Settings.AutoPreview);
        FinishCommand();
        return refusal;
      },
      this);
  filter.exec();
}

void MainWindow::OpenHelp() {
  dialogs_.OpenUrl(SitePage("/post/11.html"));
}

void MainWindow::OpenAbout() {
  AboutWindow about(this);
  about.exec();
}

QMenu* MainWindow::PrepareListMenu() {
  bool hasCurrent = list_->selectionModel()->hasSelection();
  bool hasRows = model_->rowCount() > 0;
  MenuAction(QStringLiteral("删除选择的项目菜单"))->setEnabled(hasCurrent);
  for (const char* name : {"清空列表菜单", "全选菜单", "预览菜单"}) {
    MenuAction(QString::fromUtf8(name))->setEnabled(hasRows);
  }
  MenuAction(QStringLiteral("删除无MP3标签项目菜单"))
      ->setEnabled(hasRows && panel_->currentIndex() == core::kMp3Tab);
  MenuAction(QStringLiteral("过滤菜单"))->setEnabled(hasRows);
  MenuAction(QStringLiteral("MP3标签信息菜单"))->setEnabled(CurrentRow() >= 0);
  return listMenu_;
}

void MainWindow::ShowListMenu(const QPoint& pos) {
  PrepareListMenu()->exec(list_->viewport()->mapToGlobal(pos));
}

void MainWindow::DeleteSelectedEntries() {
  WaitCursor wait;
  std::vector<bool> selected(state_.Workspace.List.FileCount());
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
    if (index.row() < static_cast<int>(selected.size())) selected[index.row()] = true;
  }
  core::DeleteEntries(state_.Workspace, selected, state_.Settings.AutoPreview);
  FinishCommand();
}

void MainWindow::DeleteUntaggedEntries() {
  // The entries the tag rule could not name carry a tag status; the selection
  // becomes exactly those rows, and they go.
  core::FileList& list = state_.Workspace.List;
  std::vector<bool> untagged(list.FileCount());
  for (int i = 0; i < list.FileCount() && i < list.RowCount(); ++i) {
    untagged[i] = !list.Row(i).Cells[core::kTagStatusColumn].empty();
  }
  list_->clearSelection();
  WaitCursor wait;
  core::DeleteEntries(state_.Workspace, untagged, state_.Settings.AutoPreview);
  FinishCommand();
}

void MainWindow::ClearList() {
  core::ClearList(state_.Workspace, state_.Settings.AutoPreview);
  FinishCommand();
}

void MainWindow::OnListDoubleClicked() {
  if (!list_->selectionModel()->hasSelection()) {
    AddFiles();
    return;
  }
  int row = CurrentRow();
  if (row >= 0 && text::ExtensionMatches(state_.Workspace.List.OldNames[row], "MP3")) {
    OpenTagEditor(row);
  }
}

int MainWindow::CurrentRow() const {
  int first = -1;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
    if (first < 0 || index.row() < first) first = index.row();
  }
  return first < state_.Workspace.List.FileCount() ? first : -1;
}

void MainWindow::OpenTagEditorMenu() {
  int row = CurrentRow();
  if (row < 0) return;
  if (!text::ExtensionMatches(state_.Workspace.List.OldNames[row], "MP3")) {
    dialogs_.Message(this, QStringLiteral("抱歉，该文件不是MP3文件！"), kCaption,
                     QMessageBox::Warning);
    return;
  }
  OpenTagEditor(row);
}

void MainWindow::OpenTagEditor(int row) {
  TagEditorWindow editor(ToQString(state_.Workspace.List.FullPath(row)), dialogs_, this);
  if (editor.Loaded()) editor.exec();
}

MainWindow::Layout MainWindow::ComputeLayout(int w, int h) {
  if (w <= kMinWidth - 1 && h <= kMinHeight - 1) {
    w = kMinWidth;
    h = kMinHeight;
  } else if (h < kMinHeight) {
    h = kMinHeight;
  } else if (w < kMinWidth) {
    w = kMinWidth;
  }
  return {w, h, w - 8, w - 8, h - 226};
}

void MainWindow::LayoutMainWindow() {
  QSize outer = frameGeometry().size();
  Layout layout = ComputeLayout(outer.width(), outer.height());
  // The tab control and the list keep their top edges; the list takes the height left.
  panel_->setGeometry(0, 0, layout.PanelWidth, 130);
  int listHeight = std::max(layout.ListHeight, centralWidget()->height() - 131);
  list_->setGeometry(0, 131, layout.ListWidth, listHeight);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutMainWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  settings::SaveSettings(state_.Settings, state_.ConfigPath);
  settingsSaved_ = true;
  QMainWindow::closeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // Edit boxes claim Ctrl+X and friends for themselves; the window's menu keys win.
    auto* key = static_cast<QKeyEvent*>(event);
    QKeySequence pressed(key->keyCombination());
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) {
      for (QAction* action : menuBar()->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
          event->ignore();
          return true;
        }
      }
    }
  }
  if (watched == list_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    // Delete removes the selected entries whatever the modifiers; the list still sees the key.
    DeleteSelectedEntries();
  }
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
      !list_->indexAt(static_cast<QMouseEvent*>(event)->pos()).isValid()) {
    // A double click on empty space clears the selection first, then adds files.
    list_->clearSelection();
    OnListDoubleClicked();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}
