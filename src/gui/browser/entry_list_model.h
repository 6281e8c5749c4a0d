#pragma once
// The rows of the entry list. A row holds nothing: its cells are made from the archive's
// entry table through the row map whenever they are drawn, so a load of 100 000 entries
// costs one model reset and sorting only permutes the row map.
//
// The core changes the row map itself; the model keeps the row count the view last heard
// of and tells the view about each change after the core has made it.
#include <QAbstractTableModel>
#include <array>

#include "core/archive/archive.h"
#include "core/settings/messages.h"

namespace varmelo::gui {

class EntryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    EntryListModel(const Archive& archive, const MessageTable& messages, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A caption given by name (a language file's List1_k): it stands until the captions go
    // back to the message table's.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    void resetCaptions();

    // The column whose caption carries the sort mark, -1 for none.
    void setMarkedColumn(int column);
    int markedColumn() const { return marked_; }

    // The archive was replaced or its rows rebuilt from nothing.
    void reset();
    // Rows were appended at the end.
    void rowsAppended();
    // Texts or order of the rows changed, their number did not.
    void refreshAll();
    void refreshRow(int row);
    // After a failed command: whatever the core left, make the view agree with it.
    void sync();
    // Captions changed (language switch).
    void refreshHeader();

private:
    QString cellText(uint32_t entry, int column) const;

    const Archive& archive_;
    const MessageTable& messages_;
    int rows_ = 0;
    int marked_ = -1;
    std::array<QString, 4> captions_;  // "" takes the message
    char decimalSeparator_ = '.';
};

}  // namespace varmelo::gui
