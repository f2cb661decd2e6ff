#include "ui/file_list_model.h"

#include "ui/qt_text.h"
#include "ui/status_images.h"

FileListModel::FileListModel(core::FileList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
  shownRows_ = list_.RowCount();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int FileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : core::kColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.RowCount()) return {};
  const core::ListRow& row = list_.Row(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(row.Cells[index.column()]);
    case Qt::DecorationRole:
      if (index.column() == core::kStatusColumn && row.Image != core::kNoImage) {
        return StatusImage(row.Image);
      }
      return {};
    case Qt::ForegroundRole:
      return text_.isValid() ? QVariant(text_) : QVariant();
    case Qt::BackgroundRole:
      return background_.isValid() ? QVariant(background_) : QVariant();
    default:
      return {};
  }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const QString captions[core::kColumnCount] = {
      QStringLiteral("旧文件名"), QStringLiteral("新文件名"), QStringLiteral("路径"),
      QStringLiteral("命名状态"), QStringLiteral("MP3标签状态")};
  return section >= 0 && section < core::kColumnCount ? captions[section] : QVariant();
}

void FileListModel::Sync() {
  core::RowChanges changes = list_.TakeChanges();
  int rows = list_.RowCount();
  if (changes.Reshaped || rows < shownRows_) {
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
    return;
  }
  if (changes.FirstDirty >= 0 && changes.FirstDirty < shownRows_) {
    int last = std::min(changes.LastDirty, shownRows_ - 1);
    emit dataChanged(index(changes.FirstDirty, 0), index(last, core::kColumnCount - 1));
  }
  if (rows > shownRows_) {
    beginInsertRows({}, shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  }
}

void FileListModel::SetColors(const QColor& text, const QColor& background) {
  text_ = text;
  background_ = background;
  if (shownRows_ > 0) emit dataChanged(index(0, 0), index(shownRows_ - 1, core::kColumnCount - 1));
}
