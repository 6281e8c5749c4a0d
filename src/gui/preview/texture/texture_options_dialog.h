#pragma once
// How pictures become textures, asked once for "Добавить текстуры...", "Заменить текстуру...",
// "Импорт из папки..." and "Формат...": the format, the mipmaps and, for new pictures, whether
// sides go to the nearest power of two.
#include <QDialog>

#include "core/texture/texture_encode.h"

class QCheckBox;
class QComboBox;

namespace varmelo {
class MessageTable;
}

namespace varmelo::gui {

class TextureOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Without `withResize` the check box is not shown ("Формат..." re-encodes the texture at
    // its own size).
    TextureOptionsDialog(const MessageTable& messages, bool withResize, QWidget* parent = nullptr);

    void setOptions(const EncodeOptions& options);
    EncodeOptions options() const;

    QComboBox* formatBox() const { return format_; }
    QComboBox* mipmapBox() const { return mipmaps_; }
    QCheckBox* resizeBox() const { return resize_; }

private:
    QComboBox* format_ = nullptr;
    QComboBox* mipmaps_ = nullptr;
    QCheckBox* resize_ = nullptr;
    bool withResize_ = false;
};

}  // namespace varmelo::gui
