#include "gui/app/form_translator.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "core/settings/language_files.h"
#include "gui/app/command_actions.h"
#include "gui/app/file_dialog_filter.h"

namespace varmelo::gui {

namespace {

bool isForm(const QObject* o) { return o->isWidgetType() && o->objectName().startsWith(QLatin1String("frm")); }

// Names the toolkit gives its own parts ("qt_tabwidget_tabbar", ...) are not ours to key.
bool hasOwnName(const QObject* o) {
    const QString name = o->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

}  // namespace

FormTranslator::FormTranslator(const LanguageFile& file, const QString& section)
    : file_(file), section_(section.toStdString()) {}

QString FormTranslator::text(const QString& key, const QString& current) const {
    if (auto v = file_.find(section_, key.toStdString())) return QString::fromStdString(*v);
    return current;
}

void FormTranslator::translateForm(QWidget* form) const {
    if (!form) return;
    form->setWindowTitle(text(QStringLiteral("Caption"), form->windowTitle()));
    // The font's character set has no counterpart here: Qt draws every script with the
    // same fonts, so main/CharSet only chooses how the file's bytes are read.
    translateChildren(form);
}

void FormTranslator::translateTree(QObject* object) const {
    translateObject(object);
    translateChildren(object);
}

void FormTranslator::translateChildren(QObject* root) const {
    for (QObject* child : root->children()) {
        if (isForm(child)) continue;
        translateObject(child);
        translateChildren(child);
    }
}

void FormTranslator::translateObject(QObject* o) const {
    if (!hasOwnName(o)) return;
    const QString name = o->objectName();
    if (auto* filter = qobject_cast<FileDialogFilter*>(o)) {
        filter->setFilter(text(name, filter->filter()));
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        if (isCommand(a)) {
            if (!keepsCaption(a)) a->setText(text(name, a->text()));
            setActionHint(a, QString::fromStdString(file_.hint(section_, name.toStdString() + "h")));
        } else if (!a->menu()) {
            a->setText(text(name, a->text()));
        }
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        // A submenu that is a command has its caption from the command.
        if (!isCommand(m->menuAction())) m->setTitle(text(name, m->title()));
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(text(name, l->text()));
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        // Tool buttons stand for actions, which have their own keys.
        if (!qobject_cast<QToolButton*>(b)) b->setText(text(name, b->text()));
    } else if (auto* tabs = qobject_cast<QTabBar*>(o)) {
        for (int k = 0; k < tabs->count(); ++k)
            tabs->setTabText(k, text(QStringLiteral("%1_%2").arg(name).arg(k), tabs->tabText(k)));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        for (int k = 0; k < tabs->count(); ++k)
            tabs->setTabText(k, text(QStringLiteral("%1_%2").arg(name).arg(k), tabs->tabText(k)));
    } else if (auto* view = qobject_cast<QAbstractItemView*>(o)) {
        QAbstractItemModel* model = view->model();
        if (!model) return;
        for (int k = 0; k < model->columnCount(); ++k)
            if (auto v = file_.find(section_, QStringLiteral("%1_%2").arg(name).arg(k).toStdString()))
                model->setHeaderData(k, Qt::Horizontal, QString::fromStdString(*v));
    } else if (auto* bar = qobject_cast<QToolBar*>(o)) {
        bar->setWindowTitle(text(name, bar->windowTitle()));
    } else if (auto* dialog = qobject_cast<QDialog*>(o)) {
        dialog->setWindowTitle(text(name + QStringLiteral("Caption"), dialog->windowTitle()));
    }
}

}  // namespace varmelo::gui
