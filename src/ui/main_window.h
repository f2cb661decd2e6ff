// The working window: menus, toolbar, rule panel, file list and status bar. Its
// handlers read controls, call core and write the results back.
#pragma once

#include <QMainWindow>
#include <array>

#include "ui/app_state.h"

class QAction;
class QLabel;
class QMenu;
class QTableView;
class QToolBar;
class Dialogs;
class FileListModel;
class RulePanel;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Toolbar button positions (separators count).
  enum ToolbarButton {
    kAddDirectoryButton = 0,
    kAddFilesButton = 1,
    kUndoButton = 3,
    kPreviewButton = 4,
    kRenameButton = 5,
    kHelpButton = 7,
    kToolbarButtonCount = 8
  };

  void RefreshPreview(int all);
  void ApplySettings();
  void AddFiles();
  void AddDirectory(const QString& path = {});
  // Dropped files first, each under its own directory, then each dropped directory.
  void AddDroppedFiles(const QStringList& paths);
  void DispatchToolbar(int index);
  void LayoutMainWindow();
  // Computes the context menu's states; shown at pos unless it is null.
  QMenu* PrepareListMenu();
  QAction* ToolbarAction(int index) const { return toolbarActions_[index]; }
  QAction* MenuAction(const QString& objectName) const;

  // The corrected outer size and the sizes of the tab control and the list for an
  // outer size of w×h.
  struct Layout {
    int Width, Height, PanelWidth, ListWidth, ListHeight;
  };
  static Layout ComputeLayout(int w, int h);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolbar();
  void CreateStatusBar();
  void ShowCommandStates();
  void FinishCommand();
  void ShowAddedEntries(int oldCount);
  void AppendFiles(const QStringList& paths);
  void RunRename();
  void RunUndo();
  void OpenFilter();
  void OpenHelp();
  void OpenAbout();
  void ShowListMenu(const QPoint& pos);
  void OnListDoubleClicked();
  // The first selected row, -1 for none.
  int CurrentRow() const;
  void OpenTagEditorMenu();
  void OpenTagEditor(int row);
  void DeleteSelectedEntries();
  void ClearList();
  void DeleteUntaggedEntries();

  AppState& state_;
  Dialogs& dialogs_;
  RulePanel* panel_ = nullptr;
  QTableView* list_ = nullptr;
  FileListModel* model_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::array<QAction*, kToolbarButtonCount> toolbarActions_{};
  std::array<QLabel*, 3> panes_{};
  QMenu* listMenu_ = nullptr;
  bool settingsSaved_ = false;
};
