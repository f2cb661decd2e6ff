// The list view's model: a thin table over the rows that core::FileList owns.
#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "core/file_list.h"

class FileListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit FileListModel(core::FileList& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Tells the view, in one notification, what the last command changed in the rows.
  void Sync();
  void SetColors(const QColor& text, const QColor& background);

 private:
  core::FileList& list_;
  int shownRows_ = 0;  // the rows the view knows of
  QColor text_;
  QColor background_;
};
