#include "gui/preview/texture/texture_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "core/settings/messages.h"

namespace varmelo::gui {

namespace {

// In the order of TargetFormat; the first is the message table's word for "auto".
const char* const kFormatNames[] = {nullptr, "DXT1", "DXT3", "DXT5", "8888", "888", "565", "1555", "4444"};
// In the order of MipmapMode.
constexpr int kMipmapItems = 3;

QString message(const MessageTable& m, int n) { return QString::fromStdString(m.get(n)); }

}  // namespace

TextureOptionsDialog::TextureOptionsDialog(const MessageTable& messages, bool withResize, QWidget* parent)
    : QDialog(parent), withResize_(withResize) {
    setObjectName(QStringLiteral("TextureOptions1"));
    setWindowTitle(message(messages, MsgTextureOptionsTitle));

    format_ = new QComboBox;
    format_->setObjectName(QStringLiteral("TextureFormat1"));
    for (const char* name : kFormatNames)
        format_->addItem(name ? QString::fromLatin1(name) : message(messages, MsgFormatAuto));
    mipmaps_ = new QComboBox;
    mipmaps_->setObjectName(QStringLiteral("TextureMipmaps1"));
    QStringList items = message(messages, MsgMipmapChoices).split(QLatin1Char('|'));
    while (items.size() < kMipmapItems) items << QString::number(items.size());
    mipmaps_->addItems(items.mid(0, kMipmapItems));
    resize_ = new QCheckBox(message(messages, MsgResizeToPowerOfTwo));
    resize_->setObjectName(QStringLiteral("TextureResize1"));
    resize_->setVisible(withResize);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(message(messages, MsgTextureFormat), format_);
    form->addRow(message(messages, MsgTextureMipmaps), mipmaps_);
    if (withResize) form->addRow(resize_);
    form->addRow(buttons);
}

void TextureOptionsDialog::setOptions(const EncodeOptions& o) {
    format_->setCurrentIndex(int(o.format));
    mipmaps_->setCurrentIndex(int(o.mipmaps));
    resize_->setChecked(o.resize);
}

EncodeOptions TextureOptionsDialog::options() const {
    EncodeOptions o;
    o.format = TargetFormat(format_->currentIndex());
    o.mipmaps = MipmapMode(mipmaps_->currentIndex());
    o.resize = withResize_ && resize_->isChecked();
    return o;
}

}  // namespace varmelo::gui
