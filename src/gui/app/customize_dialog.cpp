#include "gui/app/customize_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/settings/command_table.h"
#include "gui/app/menu_set.h"

namespace varmelo::gui {

namespace {

constexpr int kNameRole = Qt::UserRole;

// A menu that holds this very command; a menu bar without it could not be customised again.
bool isPinned(int page, const QString& name) {
    const CommandDef* c = findCommand(name.toStdString());
    return page == 1 && c && c->keepOnMenuBar;
}

QStringList toNames(const std::vector<std::string>& items) {
    QStringList names;
    for (const std::string& s : items) names << QString::fromStdString(s);
    return names;
}

std::vector<std::string> fromNames(const QStringList& names) {
    std::vector<std::string> items;
    for (const QString& s : names) items.push_back(s.toStdString());
    return items;
}

}  // namespace

CustomizeDialog::CustomizeDialog(const MenuSet& menus, const BarLayout& current, QWidget* parent)
    : QDialog(parent), menus_(menus) {
    setObjectName(QStringLiteral("CustomizeDialog1"));
    setWindowTitle(QStringLiteral("Настройка"));
    resize(520, 380);

    QStringList commands;
    for (const QString& name : menus.itemNames())
        if (!menus.menu(name)) commands << name;
    candidates_[0] = commands;
    candidates_[1] = menus.topLevelNames() + commands;

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("CustomizeTabs1"));
    tabs->addTab(buildPage(0, candidates_[0], toNames(current.toolbar)), QStringLiteral("Панель инструментов"));
    tabs->addTab(buildPage(1, candidates_[1], toNames(current.menuBar)), QStringLiteral("Главное меню"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CustomizeOK1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CustomizeCancel1"));
    QPushButton* reset = buttons->addButton(QStringLiteral("По умолчанию"), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("CustomizeReset1"));
    connect(reset, &QPushButton::clicked, this, &CustomizeDialog::resetToDefault);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

QWidget* CustomizeDialog::buildPage(int index, const QStringList&, const QStringList& shown) {
    auto* page = new QWidget(this);
    Page& p = pages_[index];
    p.available = new QListWidget(page);
    p.shown = new QListWidget(page);
    p.available->setObjectName(QStringLiteral("Available%1").arg(index + 1));
    p.shown->setObjectName(QStringLiteral("Shown%1").arg(index + 1));
    p.add = new QPushButton(QStringLiteral("Добавить >"), page);
    p.remove = new QPushButton(QStringLiteral("< Убрать"), page);
    p.up = new QPushButton(QStringLiteral("Вверх"), page);
    p.down = new QPushButton(QStringLiteral("Вниз"), page);
    // Both pages share their captions, so they share the names a language file knows them by.
    p.add->setObjectName(QStringLiteral("CustomizeAdd1"));
    p.remove->setObjectName(QStringLiteral("CustomizeRemove1"));
    p.up->setObjectName(QStringLiteral("CustomizeUp1"));
    p.down->setObjectName(QStringLiteral("CustomizeDown1"));

    auto* grid = new QGridLayout(page);
    auto* available = new QLabel(QStringLiteral("Доступные элементы:"), page);
    available->setObjectName(QStringLiteral("CustomizeAvailable1"));
    auto* shownLabel = new QLabel(QStringLiteral("Показываются:"), page);
    shownLabel->setObjectName(QStringLiteral("CustomizeShown1"));
    grid->addWidget(available, 0, 0);
    grid->addWidget(shownLabel, 0, 2);
    grid->addWidget(p.available, 1, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(p.add);
    middle->addWidget(p.remove);
    middle->addSpacing(16);
    middle->addWidget(p.up);
    middle->addWidget(p.down);
    middle->addStretch();
    grid->addLayout(middle, 1, 1);
    grid->addWidget(p.shown, 1, 2);

    connect(p.add, &QPushButton::clicked, this, [this, index] { addItem(index); });
    connect(p.remove, &QPushButton::clicked, this, [this, index] { removeItem(index); });
    connect(p.up, &QPushButton::clicked, this, [this, index] { moveItem(index, -1); });
    connect(p.down, &QPushButton::clicked, this, [this, index] { moveItem(index, +1); });
    connect(p.available, &QListWidget::itemDoubleClicked, this, [this, index] { addItem(index); });
    connect(p.shown, &QListWidget::itemDoubleClicked, this, [this, index] { removeItem(index); });
    connect(p.available, &QListWidget::currentRowChanged, this, [this, index] { updateButtons(index); });
    connect(p.shown, &QListWidget::currentRowChanged, this, [this, index] { updateButtons(index); });

    fillPage(index, shown);
    return page;
}

void CustomizeDialog::fillPage(int index, const QStringList& shown) {
    Page& p = pages_[index];
    auto entry = [this](const QString& name) {
        auto* item = new QListWidgetItem(menus_.caption(name));
        item->setData(kNameRole, name);
        if (QAction* a = menus_.item(name)) item->setIcon(a->icon());
        return item;
    };
    p.available->clear();
    p.shown->clear();
    // A separator can always be added, as often as wanted.
    p.available->addItem(entry(kSeparator));
    for (const QString& name : candidates_[index])
        if (!shown.contains(name)) p.available->addItem(entry(name));
    for (const QString& name : shown) p.shown->addItem(entry(name));
    p.available->setCurrentRow(0);
    p.shown->setCurrentRow(p.shown->count() ? 0 : -1);
    updateButtons(index);
}

QStringList CustomizeDialog::shownNames(int page) const {
    QStringList names;
    const QListWidget* list = pages_[page].shown;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->data(kNameRole).toString();
    return names;
}

BarLayout CustomizeDialog::layout() const { return BarLayout{fromNames(shownNames(0)), fromNames(shownNames(1))}; }

void CustomizeDialog::addItem(int page) {
    Page& p = pages_[page];
    QListWidgetItem* chosen = p.available->currentItem();
    if (!chosen) return;
    const QString name = chosen->data(kNameRole).toString();
    const int at = p.shown->currentRow() < 0 ? p.shown->count() : p.shown->currentRow() + 1;
    QListWidgetItem* moved = name == kSeparator ? chosen->clone() : p.available->takeItem(p.available->row(chosen));
    p.shown->insertItem(at, moved);
    p.shown->setCurrentRow(at);
    updateButtons(page);
}

void CustomizeDialog::removeItem(int page) {
    Page& p = pages_[page];
    const int row = p.shown->currentRow();
    if (row < 0) return;
    const QString name = p.shown->item(row)->data(kNameRole).toString();
    if (isPinned(page, name)) return;
    QListWidgetItem* item = p.shown->takeItem(row);
    if (name == kSeparator) {
        delete item;
    } else {
        // Back to its place in the designed order, so the available list stays easy to scan.
        const int rank = int(candidates_[page].indexOf(name));
        int at = p.available->count();
        for (int i = 1; i < p.available->count(); ++i)
            if (candidates_[page].indexOf(p.available->item(i)->data(kNameRole).toString()) > rank) {
                at = i;
                break;
            }
        p.available->insertItem(at, item);
    }
    p.shown->setCurrentRow(qMin(row, p.shown->count() - 1));
    updateButtons(page);
}

void CustomizeDialog::moveItem(int page, int delta) {
    Page& p = pages_[page];
    const int row = p.shown->currentRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= p.shown->count()) return;
    QListWidgetItem* item = p.shown->takeItem(row);
    p.shown->insertItem(to, item);
    p.shown->setCurrentRow(to);
    updateButtons(page);
}

void CustomizeDialog::resetToDefault() {
    const BarLayout d = defaultBarLayout();
    fillPage(0, toNames(d.toolbar));
    fillPage(1, toNames(d.menuBar));
}

void CustomizeDialog::updateButtons(int page) {
    Page& p = pages_[page];
    const int row = p.shown->currentRow();
    const bool pinned = row >= 0 && isPinned(page, p.shown->item(row)->data(kNameRole).toString());
    p.add->setEnabled(p.available->currentItem() != nullptr);
    p.remove->setEnabled(row >= 0 && !pinned);
    p.up->setEnabled(row > 0);
    p.down->setEnabled(row >= 0 && row + 1 < p.shown->count());
}

}  // namespace varmelo::gui
