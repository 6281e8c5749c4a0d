#include "gui/support/visible_texts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QToolBar>
#include <QWidget>

#include "gui/app/file_dialog_filter.h"

namespace varmelo::gui::testing {

namespace {

void collect(QObject* o, const QString& path, VisibleTexts& out) {
    auto put = [&](const QString& what, const QString& text) {
        if (!text.isEmpty()) out[path + QLatin1Char('.') + what] = text;
    };
    if (auto* w = qobject_cast<QWidget*>(o)) {
        if (w->isWindow()) put(QStringLiteral("title"), w->windowTitle());
        put(QStringLiteral("tooltip"), w->toolTip());
    }
    if (auto* f = qobject_cast<FileDialogFilter*>(o)) put(QStringLiteral("filter"), f->filter());
    if (auto* l = qobject_cast<QLabel*>(o)) put(QStringLiteral("text"), l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(o)) put(QStringLiteral("text"), b->text());
    if (auto* e = qobject_cast<QLineEdit*>(o)) put(QStringLiteral("placeholder"), e->placeholderText());
    if (auto* a = qobject_cast<QAction*>(o)) {
        put(QStringLiteral("text"), a->text());
        put(QStringLiteral("tooltip"), a->toolTip());
        put(QStringLiteral("status"), a->statusTip());
    }
    if (auto* m = qobject_cast<QMenu*>(o)) put(QStringLiteral("title"), m->title());
    if (auto* t = qobject_cast<QToolBar*>(o)) put(QStringLiteral("caption"), t->windowTitle());
    if (auto* tabs = qobject_cast<QTabBar*>(o))
        for (int k = 0; k < tabs->count(); ++k) put(QStringLiteral("tab%1").arg(k), tabs->tabText(k));
    if (auto* view = qobject_cast<QAbstractItemView*>(o); view && view->model()) {
        const QAbstractItemModel* model = view->model();
        for (int k = 0; k < model->columnCount(); ++k)
            put(QStringLiteral("column%1").arg(k), model->headerData(k, Qt::Horizontal).toString());
        for (int r = 0; r < model->rowCount(); ++r)
            put(QStringLiteral("row%1").arg(r), model->index(r, 0).data().toString());
    }

    QHash<QString, int> seen;
    for (QObject* child : o->children()) {
        QString name = child->objectName().isEmpty() ? QString::fromLatin1(child->metaObject()->className())
                                                     : child->objectName();
        const int n = seen[name]++;
        if (n > 0) name += QStringLiteral("#%1").arg(n);
        collect(child, path + QLatin1Char('/') + name, out);
    }
}

}  // namespace

VisibleTexts visibleTexts(QObject* root) {
    VisibleTexts out;
    collect(root, root->objectName(), out);
    return out;
}

QStringList cyrillicTexts(const VisibleTexts& texts) {
    QStringList found;
    for (const auto& [path, text] : texts)
        for (QChar c : text)
            if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) {
                found << path + QStringLiteral(": ") + text;
                break;
            }
    return found;
}

}  // namespace varmelo::gui::testing
