// The settings window: preview options and the list's colours and font. Its edits
// reach the settings record only through OK or Apply (and the font's face name).
#pragma once

#include "ui/button_closed_dialog.h"

#include <QPushButton>
#include <cstdint>
#include <functional>
#include <string>

#include "settings/settings.h"

class Dialogs;
class NumberBox;
class QCheckBox;
class QLabel;
class QRadioButton;

// A button showing one COLORREF as a swatch; a click lets the user choose another.
class ColorPicker : public QPushButton {
  Q_OBJECT
 public:
  explicit ColorPicker(Dialogs& dialogs, QWidget* parent = nullptr);

  std::int32_t ColorRef() const { return colorRef_; }
  // Shows a colour set by the program; raises no ColorChanged.
  void SetColorRef(std::int32_t colorRef);

 signals:
  void ColorChanged();

 private:
  void Choose();
  void ShowSwatch();

  Dialogs& dialogs_;
  std::int32_t colorRef_ = 0;
};

class SettingsWindow : public ButtonClosedDialog {
  Q_OBJECT
 public:
  // apply runs wherever the window must make stored settings take effect.
  SettingsWindow(settings::Settings& settings, Dialogs& dialogs, std::function<void()> apply,
                 QWidget* parent = nullptr);

  // Settings -> controls.
  void FillSettingsWindow();
  // Enables the preview controls from the check box and the stored PreviewAll.
  void UpdatePreviewControls();
  // Controls -> settings.
  void CollectSettings();

 protected:
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void FillControls(const settings::Settings& s);
  void ShowFont();
  void FitOuterSize(QSize frame);
  void MarkChanged();
  void ChooseFont();
  void RestoreDefaults();
  void Ok();
  void Apply();

  settings::Settings& settings_;
  Dialogs& dialogs_;
  std::function<void()> apply_;
  bool filling_ = false;

  QCheckBox* autoPreview_ = nullptr;
  QRadioButton* previewCount_ = nullptr;
  QRadioButton* previewAll_ = nullptr;
  NumberBox* countBox_ = nullptr;
  ColorPicker* backColor_ = nullptr;
  ColorPicker* textColor_ = nullptr;
  QLabel* fontInfo_ = nullptr;
  QPushButton* applyButton_ = nullptr;

  // What the font dialog shows and returned last; collected on OK or Apply.
  std::string fontName_;
  int fontSize_ = 0;
  bool fontBold_ = false;
  bool fontItalic_ = false;
};
