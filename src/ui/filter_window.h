// The filter window: deletes or keeps the entries with an extension or a text.
#pragma once

#include "ui/button_closed_dialog.h"

#include <functional>

#include "core/filter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class Dialogs;

class FilterWindow : public ButtonClosedDialog {
  Q_OBJECT
 public:
  // filter runs the filter on the list and returns its refusal, empty when it ran.
  FilterWindow(Dialogs& dialogs, std::function<std::string(const core::FilterInput&)> filter,
               QWidget* parent = nullptr);

  core::FilterInput ReadInput() const;
  // The OK button: filters, or says why not and stays open.
  void Accept();

 private:
  Dialogs& dialogs_;
  std::function<std::string(const core::FilterInput&)> filter_;
  QComboBox* operation_ = nullptr;
  QRadioButton* byExtension_ = nullptr;
  QComboBox* extension_ = nullptr;
  QRadioButton* byContent_ = nullptr;
  QLineEdit* content_ = nullptr;
  QCheckBox* closeAfter_ = nullptr;
};
