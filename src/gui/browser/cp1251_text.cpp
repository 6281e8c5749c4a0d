#include "gui/browser/cp1251_text.h"

#include <QFile>
#include <QStringDecoder>

#include "core/io/codepage.h"

namespace varmelo::gui {

QString fromCp1251(const std::string& bytes) { return QString::fromStdString(cp1251ToUtf8(bytes)); }

std::optional<std::string> toCp1251(const QString& text) { return utf8ToCp1251(text.toStdString()); }

QString fromPathBytes(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string toPathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString errorText(const std::exception& e) {
    const QByteArray raw(e.what());
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(raw);
    if (!utf8.hasError()) return text;
    return fromCp1251(raw.toStdString());
}

}  // namespace varmelo::gui
