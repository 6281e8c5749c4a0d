#include "gui/app/credits_text.h"

namespace varmelo::gui {

QString creditsText(const QStringList& translators, const QString& programAuthor) {
    QStringList names;
    for (const QString& raw : translators) {
        const QString name = raw.trimmed();
        if (name.isEmpty() || name == programAuthor.trimmed() || names.contains(name)) continue;
        names << name;
    }
    if (names.isEmpty()) return {};
    return QStringLiteral("\r\n\r\n\r\n\r\n\r\nThanks To:\r\n\r\n----\r\n") +
           QStringLiteral("Authors of translations\r\n\r\n") + names.join(QStringLiteral("\r\n")) +
           QStringLiteral("\r\n\r\n");
}

}  // namespace varmelo::gui
