#include "gui/browser/entry_list_model.h"

#include <QLocale>

#include "core/browser/row_map.h"
#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

namespace {
constexpr int kColumns = 4;
constexpr int kCaptionMessage[kColumns] = {MsgColIndex, MsgColName, MsgColAddress, MsgColSize};

char localeDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 0x80) return char(point[0].unicode());
    return '.';
}

int clampedRows(size_t n) { return n > size_t(INT32_MAX) ? INT32_MAX : int(n); }
}  // namespace

EntryListModel::EntryListModel(const Archive& archive, const MessageTable& messages, QObject* parent)
    : QAbstractTableModel(parent), archive_(archive), messages_(messages),
      decimalSeparator_(localeDecimalSeparator()) {
    rows_ = clampedRows(archive_.RowCount);
}

int EntryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int EntryListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= kColumns) return {};
    const auto row = size_t(index.row());
    // Between a change in the core and the notification the view may still ask for a row
    // the archive no longer has.
    if (row >= archive_.RowCount || row >= archive_.RowMap.size()) return {};
    const uint32_t e = archive_.RowMap[row];
    if (e >= archive_.Entries.size()) return {};
    return cellText(e, index.column());
}

QString EntryListModel::cellText(uint32_t e, int column) const {
    switch (column) {
    case kColumnIndex: return QString::number(e);
    case kColumnName: return fromCp1251(archive_.Entries[e].Name);
    case kColumnAddress: return QString::fromStdString(addressText(archive_, e));
    default: return QString::fromStdString(sizeText(archive_, e, messages_, decimalSeparator_));
    }
}

QVariant EntryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    QString caption = captions_[size_t(section)];
    if (caption.isEmpty()) caption = QString::fromStdString(messages_.get(kCaptionMessage[section]));
    if (section == marked_) caption += QStringLiteral(" •");
    return caption;
}

void EntryListModel::setMarkedColumn(int column) {
    if (column == marked_) return;
    marked_ = column;
    refreshHeader();
}

bool EntryListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || (role != Qt::EditRole && role != Qt::DisplayRole) || section < 0 ||
        section >= kColumns)
        return false;
    captions_[size_t(section)] = value.toString();
    emit headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

void EntryListModel::resetCaptions() {
    captions_ = {};
    refreshHeader();
}

void EntryListModel::refreshHeader() { emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1); }

void EntryListModel::reset() {
    beginResetModel();
    rows_ = clampedRows(archive_.RowCount);
    endResetModel();
}

void EntryListModel::rowsAppended() {
    const int now = clampedRows(archive_.RowCount);
    if (now < rows_) {
        reset();
        return;
    }
    if (now > rows_) {
        beginInsertRows({}, rows_, now - 1);
        rows_ = now;
        endInsertRows();
    }
}

void EntryListModel::refreshAll() {
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, kColumns - 1), {Qt::DisplayRole});
}

void EntryListModel::refreshRow(int row) {
    if (row >= 0 && row < rows_) emit dataChanged(index(row, 0), index(row, kColumns - 1), {Qt::DisplayRole});
}

void EntryListModel::sync() {
    if (clampedRows(archive_.RowCount) != rows_)
        reset();
    else
        refreshAll();
}

}  // namespace varmelo::gui
