#include "gui/app/prompts.h"

namespace varmelo::gui {

namespace {

// "*.*" means every file to the user; on this platform it would skip names without a dot.
QString qtPatterns(const QString& patterns) {
    QStringList out;
    for (QString p : patterns.split(';', Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p.isEmpty()) continue;
        out << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    }
    return out.join(' ');
}

}  // namespace

QStringList qtNameFilters(const QString& pipeFilter) {
    QStringList filters;
    const QStringList parts = pipeFilter.split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = qtPatterns(parts[i + 1]);
        if (patterns.isEmpty()) continue;
        // Qt reads the patterns from the last parentheses of a filter, so a description
        // that already shows its patterns ("Архивы (*.img)") must not keep them apart from ours.
        const QString shown = QStringLiteral("(%1)").arg(parts[i + 1].trimmed());
        if (description.endsWith(shown)) description = description.left(description.size() - shown.size()).trimmed();
        filters << (description.isEmpty() ? QStringLiteral("(%1)").arg(patterns)
                                          : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

}  // namespace varmelo::gui
