#include "gui/preview/texture/texture_list_model.h"

#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

void TextureListModel::reset(TTexArray textures) {
    beginResetModel();
    textures_ = std::move(textures);
    thumbs_.assign(textures_.size(), QImage());
    alphaThumbs_.assign(textures_.size(), QImage());
    failures_.assign(textures_.size(), QString());
    endResetModel();
}

void TextureListModel::setThumbnails(int row, QImage colour, QImage alpha, QString failure) {
    if (row < 0 || size_t(row) >= textures_.size()) return;
    thumbs_[size_t(row)] = std::move(colour);
    alphaThumbs_[size_t(row)] = std::move(alpha);
    failures_[size_t(row)] = std::move(failure);
    const QModelIndex at = index(row);
    emit dataChanged(at, at, {ThumbRole, AlphaThumbRole, ThumbTextRole, Qt::ToolTipRole});
}

int TextureListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(textures_.size());
}

QVariant TextureListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= textures_.size()) return {};
    const size_t row = size_t(index.row());
    const TTexRec& t = textures_[row];
    switch (role) {
    case NameRole: return fromCp1251(t.Name);
    case MaskRole: return fromCp1251(t.MaskName);
    case SizeRole: return sizeText(t);
    case HasAlphaRole: return t.HasAlpha;
    case ThumbRole: return thumbs_[row];
    case AlphaThumbRole: return alphaThumbs_[row];
    case ThumbTextRole:
    case Qt::ToolTipRole: return failures_[row];
    default: return {};
    }
}

QString TextureListModel::sizeText(const TTexRec& t) {
    return QString::asprintf("%dx%dx%d", int(t.Width), int(t.Height), int(t.Depth));
}

}  // namespace varmelo::gui
