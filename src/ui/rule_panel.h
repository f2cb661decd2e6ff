// The tabbed rule panel of the main window: one page of controls per naming rule.
// It reads its controls into the rules' input records and asks for a preview
// whenever something a rule reads changes; it never runs a rule itself.
#pragma once

#include <QRect>
#include <QString>
#include <QTabWidget>
#include <array>
#include <vector>

#include "core/rule_inputs.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class NumberBox;

class RulePanel : public QTabWidget {
  Q_OBJECT
 public:
  explicit RulePanel(QWidget* parent = nullptr);

  // Tab is the current page; every rule's input is read from its controls.
  core::RuleInputs ReadInputs() const;

  // Shows the general page's extension group inactive, to match the scope "文件名".
  void GreyExtensionGroup();
  // Sends the tagged edit boxes, radio buttons and code buttons to their shared handlers.
  void RouteSharedHandlers();

 signals:
  void PreviewRequested();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  struct Placement {
    QWidget* widget;
    QRect rect;
    bool fitText;  // a label, radio or check box that grows to show its text
  };

  void BuildGeneralPage();
  void BuildReplacePage();
  void BuildInsertPage();
  void BuildCasePage();
  void BuildMp3Page();
  QWidget* AddPage(const QString& caption);

  // Widgets placed at x,y w×h of the layout; onPage means y counts from the tab
  // control's top, tabs included.
  void Place(QWidget* widget, QRect rect, bool onPage);
  QLabel* AddLabel(QWidget* parent, const QString& name, const QString& caption, QRect rect,
                   bool onPage);
  QRadioButton* AddRadio(QWidget* parent, const QString& name, const QString& caption, QRect rect,
                         bool onPage, int tag = 0);
  QLineEdit* AddEdit(QWidget* parent, const QString& name, QRect rect, bool onPage, int tag = 0);
  NumberBox* AddNumberBox(QWidget* parent, const QString& name, QRect rect, bool onPage, int tag,
                          const QString& initial, bool digitsOnly, int maxBytes, int spinMin,
                          int spinMax);
  void ApplyGeometry();

  void RequestPreview();
  void SetNameGroupActive(bool active);
  void SetExtensionGroupActive(bool active);

  // Handlers.
  void OnScopeClicked();
  void OnClearClicked();
  void OnSharedPreviewText();
  void OnSharedRadioClicked();
  void OnInsertNameTextChanged();
  void OnKeepSameClicked();
  void OnInsertWhereClicked();
  void OnMp3RuleChanged();
  void OnSchemeChosen(int index);
  void OnCodeButtonClicked();

  std::vector<Placement> placements_;
  bool muted_ = false;

  // Page 0.
  QRadioButton* generalName_ = nullptr;
  QRadioButton* generalExt_ = nullptr;
  QRadioButton* generalBoth_ = nullptr;
  NumberBox* start_ = nullptr;
  NumberBox* step_ = nullptr;
  QGroupBox* nameGroup_ = nullptr;
  QGroupBox* extGroup_ = nullptr;
  std::array<QLabel*, 4> nameLabels_{};
  std::array<QLabel*, 4> extLabels_{};
  // Prefix, main text, digits, suffix.
  std::array<QLineEdit*, 4> nameEdits_{};
  std::array<QLineEdit*, 4> extEdits_{};

  // Page 1.
  QLineEdit* findText_ = nullptr;
  QLineEdit* replaceText_ = nullptr;
  QCheckBox* caseSensitive_ = nullptr;
  QRadioButton* replaceName_ = nullptr;
  QRadioButton* replaceExt_ = nullptr;
  QRadioButton* replaceBoth_ = nullptr;

  // Page 2.
  QLineEdit* nameInsert_ = nullptr;
  QLineEdit* extInsert_ = nullptr;
  QLabel* extInsertLabel_ = nullptr;
  QCheckBox* keepSame_ = nullptr;
  QRadioButton* nameAtPosition_ = nullptr;
  QRadioButton* nameAtEnd_ = nullptr;
  NumberBox* namePosition_ = nullptr;
  QRadioButton* extAtPosition_ = nullptr;
  QRadioButton* extAtEnd_ = nullptr;
  NumberBox* extPosition_ = nullptr;

  // Page 3: all upper, all lower, first upper, first lower.
  std::array<QRadioButton*, 4> nameCase_{};
  std::array<QRadioButton*, 4> extCase_{};

  // Page 4.
  QComboBox* scheme_ = nullptr;
  QRadioButton* v1First_ = nullptr;
  QRadioButton* v2First_ = nullptr;
  QLineEdit* mp3Rule_ = nullptr;
  QLineEdit* reference_ = nullptr;
  QPushButton* artistButton_ = nullptr;
};
