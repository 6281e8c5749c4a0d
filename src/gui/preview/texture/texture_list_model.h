#pragma once
// The rows of a texture dictionary's list: one per texture, with its name, mask name, size
// text and the two thumbnails as they arrive (or why a texture has none). The row delegate
// draws from these roles.
#include <QAbstractListModel>
#include <QImage>
#include <vector>

#include "core/texture/texture_record.h"

namespace varmelo::gui {

class TextureListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        NameRole = Qt::DisplayRole,
        MaskRole = Qt::UserRole + 1,
        SizeRole,        // "width x height x depth"
        HasAlphaRole,
        ThumbRole,       // QImage, null until its thumbnail arrives
        AlphaThumbRole,
        ThumbTextRole,   // why the texture has no thumbnails: empty until they arrive, and when made
    };

    using QAbstractListModel::QAbstractListModel;

    // A new dictionary: its rows, no thumbnails yet.
    void reset(TTexArray textures);
    void setThumbnails(int row, QImage colour, QImage alpha, QString failure);

    const TTexArray& textures() const { return textures_; }
    const QImage& thumb(int row) const { return thumbs_.at(size_t(row)); }
    const QImage& alphaThumb(int row) const { return alphaThumbs_.at(size_t(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static QString sizeText(const TTexRec& t);

private:
    TTexArray textures_;
    std::vector<QImage> thumbs_;
    std::vector<QImage> alphaThumbs_;
    std::vector<QString> failures_;
};

}  // namespace varmelo::gui
