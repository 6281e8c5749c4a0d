#include "gui/app/command_actions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "gui/app/command_icons.h"

namespace varmelo::gui {

namespace {

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

QString commandName(std::string_view name) { return QString::fromLatin1(name.data(), qsizetype(name.size())); }

void setActionHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    action->setProperty("hint", hint);
}

CommandActions::CommandActions(QWidget* window) : QObject(window) {
    const CommandFacts atStart;
    for (const CommandDef& c : commandTable()) {
        if (c.kind == CommandKind::Menu || c.kind == CommandKind::PageMenu || isPageCommand(c)) continue;
        QAction* a = nullptr;
        const QString name = commandName(c.name);
        if (c.kind == CommandKind::Submenu) {
            auto* menu = new QMenu(utf8(c.caption), window);
            menu->setObjectName(name);
            a = menu->menuAction();
            submenus_.insert(name, menu);
        } else {
            a = new QAction(utf8(c.caption), window);
            window->addAction(a);
        }
        a->setObjectName(name);
        a->setText(utf8(c.caption));
        if (!c.hint.empty()) setActionHint(a, utf8(c.hint));
        if (!c.shortcut.empty()) a->setShortcut(QKeySequence(commandName(c.shortcut)));
        a->setIcon(commandIcon(c.icon));
        a->setCheckable(c.checkable);
        a->setChecked(c.checked);
        a->setEnabled(isEnabled(c.enabledWhen, atStart));
        a->setData(c.tag);
        byName_.insert(name, a);
    }
    orderByTable();
}

void CommandActions::orderByTable() {
    ordered_.clear();
    for (const CommandDef& c : commandTable())
        if (QAction* a = action(commandName(c.name))) ordered_.append(a);
}

void CommandActions::adoptPageCommand(QAction* a) {
    const QString name = a->objectName();
    const CommandDef* c = findCommand(name.toStdString());
    if (!c || !isPageCommand(*c) || byName_.contains(name)) return;
    byName_.insert(name, a);
    bound_.insert(a);
    orderByTable();
}

QStringList CommandActions::unbound() const {
    QStringList out;
    for (const CommandDef& c : commandTable()) {
        if (c.kind != CommandKind::Command) continue;
        QAction* a = action(commandName(c.name));
        if (!a || !bound_.contains(a)) out << commandName(c.name);
    }
    return out;
}

QAction* CommandActions::action(const QString& name) const { return byName_.value(name, nullptr); }

QMenu* CommandActions::submenu(const QString& name) const { return submenus_.value(name, nullptr); }

void CommandActions::applyFacts(const CommandFacts& facts) {
    for (const CommandDef& c : commandTable())
        if (QAction* a = action(commandName(c.name)); a && c.enabledWhen != EnableRule::PageState)
            a->setEnabled(isEnabled(c.enabledWhen, facts));
}

}  // namespace varmelo::gui
