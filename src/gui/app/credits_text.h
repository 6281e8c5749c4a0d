#pragma once
// The credit text of the About box: the translators named by the language files.
#include <QString>
#include <QStringList>

namespace varmelo::gui {

// The non-empty names, each once and without the program's own author, framed by the
// thanks heading; empty when no translator is left.
QString creditsText(const QStringList& translators, const QString& programAuthor);

}  // namespace varmelo::gui
