// The filter window: deletes or keeps the entries with an extension or a text.
#pragma once

#include <QDialog>
#include <functional>

#include "core/filter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class Dialogs;

class FilterWindow : public QDialog {
  Q_OBJECT
 public:
  // filter runs the filter on the list and returns its refusal, empty when it ran.
  FilterWindow(Dialogs& dialogs, std::function<std::string(const core::FilterInput&)> filter,
               QWidget* parent = nullptr);

  core::FilterInput ReadInput() const;
  // The OK button: filters, or says why not and stays open.
  void Accept();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

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
