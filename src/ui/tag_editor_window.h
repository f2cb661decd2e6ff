// The tag editor: the ID3v1 and ID3v2 tags of one MP3 file side by side, with
// copying between them and an update that writes, creates or removes each version.
#pragma once

#include "ui/button_closed_dialog.h"

#include <array>
#include <string>
#include <vector>

#include "tags/tag_editor_model.h"

class Dialogs;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TagEditorWindow : public ButtonClosedDialog {
  Q_OBJECT
 public:
  enum Group { kV1 = 0, kV2 = 1 };

  // Reads the file's tags at once; when it cannot be read the error is shown and
  // Loaded() is false, and the window should not be opened.
  TagEditorWindow(const QString& path, Dialogs& dialogs, QWidget* parent = nullptr);

  bool Loaded() const { return loaded_; }
  // The window's state: change flags and seen items with the controls' values.
  tags::TagEditorModel Model() const;

  // Greys or restores a group's boxes and its copy button, and enables the update.
  void SetGroupEnabled(Group group, bool on);
  void CopyV1ToV2();
  void CopyV2ToV1();
  void UpdateTags();

 private:
  struct FieldBox {
    std::string tags::TagRecord::*Member;
    QWidget* Box;
  };

  int RowHeight() const;
  QWidget* BuildV1Group();
  QWidget* BuildV2Group();
  QLineEdit* AddLine(Group group, const char* name, std::string tags::TagRecord::*member,
                     int maxBytes, bool digitsOnly = false);
  QPlainTextEdit* AddComment(Group group, const char* name);
  QComboBox* AddGenre(Group group, const char* name);
  // Model -> controls (raising no change), and controls -> model values.
  void ShowGroup(Group group);
  void StoreGroup(Group group, tags::TagEditorModel& model) const;
  void OnEdited(Group group);
  void OnGenreChosen(Group group, int item);
  void LimitV1Comment();

  Dialogs& dialogs_;
  tags::TagEditorModel model_;
  bool loaded_ = false;
  int filling_ = 0;  // > 0 while the program itself writes into the controls

  QLineEdit* path_ = nullptr;
  std::array<QCheckBox*, 2> check_{};
  std::array<QComboBox*, 2> genre_{};
  std::array<std::vector<FieldBox>, 2> fields_;
  QPlainTextEdit* v1Comment_ = nullptr;
  QPushButton* update_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* copyV1ToV2_ = nullptr;
  QPushButton* copyV2ToV1_ = nullptr;
};
