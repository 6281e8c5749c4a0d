#include "gui/app/command_table.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace varmelo::gui {

const QList<CommandSpec>& commandSpecs() {
    // name, caption, hint, shortcut, checkable, checked, enabled, tag, submenu
    static const QList<CommandSpec> specs = {
        {"FileNew1", "Создать...", "Создать|Создать новый псевдоархив", "Ctrl+N", false, false, true, 0, false},
        {"FileOpen1", "Открыть...", "Открыть|Открыть существующий файл", "Ctrl+O", false, false, true, 0, false},
        {"MRUFile1", "Файл 1", "", "", false, false, true, 0, false},
        {"MRUFile2", "Файл 2", "", "", false, false, true, 1, false},
        {"MRUFile3", "Файл 3", "", "", false, false, true, 2, false},
        {"MRUFile4", "Файл 4", "", "", false, false, true, 3, false},
        {"MRUFile5", "Файл 5", "", "", false, false, true, 4, false},
        {"FileExit1", "Выход", "Выход|Выйти из Varmelo", "", false, false, true, 0, false},
        {"EditOpen1", "Открыть", "Открыть|Открыть во внешнем редакторе", "", false, false, false, 0, false},
        {"EditRename1", "Переименовать", "Переименовать|Переименовать выбранный файл", "F2", false, false, false, 0, false},
        {"EditExtract1", "Извлечь...", "Извлечь|Извлечь файл(ы) в выбранную папку", "", false, false, false, 0, false},
        {"EditReplace1", "Заменить...", "Заменить|Заменить выбранный файл", "", false, false, false, 0, false},
        {"EditAdd1", "Добавить...", "Добавить|Добавить новый файл в архив", "Ins", false, false, false, 0, false},
        {"EditRemove1", "Удалить", "Удалить|Удалить выбранный файл из архива", "Del", false, false, false, 0, false},
        {"SearchFind1", "Найти...", "Найти|Поиск файла по маске", "Ctrl+F", false, false, false, 0, false},
        {"SearchFindNext1", "Найти далее", "Найти далее|Поиск следующего файла", "F3", false, false, false, 0, false},
        {"SearchFindAll1", "Найти все", "Найти все|Найти и выбрать все подходящие файлы", "", false, false, false, 0, false},
        {"SearchFilter1", "Фильтр...", "Фильтр|Отобразить только файлы, соответствующие маске", "", true, false, false, 0, false},
        {"ServiceRebuild1", "Перепаковать архив", "Перепаковать архив|Переупорядочить файлы в архиве", "", false, false, false, 0, false},
        {"ServiceToolbar1", "Панель инструментов", "Панель инструментов|Показать/скрыть панель инструментов", "", true, true, true, 0, false},
        {"ServicePreview1", "Панель просмотра", "Панель просмотра|Показать/скрыть панель просмотра", "Ctrl+P", true, true, true, 0, false},
        {"ServiceAntialiasing1", "Сглаживание", "Сглаживание|Использовать сглаживание при просмотре", "", true, true, true, 0, false},
        {"ServiceAssociations1", "Открывать в Varmelo", "", "", false, false, true, 0, true},
        {"ServiceOpenAll1", "Все поддерживаемые файлы", "Все поддерживаемые файлы|Открывать в Varmelo все поддерживаемые им типы файлов", "", true, false, true, 0, false},
        {"ServiceGTA1", "Архивы Grand Theft Auto", "Архивы Grand Theft Auto|Открывать в Varmelo архивы IMG", "", true, false, true, 0, false},
        {"ServiceSyberia1", "Архивы Syberia", "Архивы Syberia|Открывать в Varmelo архивы SYB", "", true, false, true, 1, false},
        {"ServiceHP1", "Архивы Harry Potter and the Goblet of Fire", "Архивы Harry Potter and the Goblet of Fire|Открывать в Varmelo архивы BIG", "", true, false, true, 2, false},
        {"ServicePrey1", "Архивы Prey", "Архивы Prey|Открывать в Varmelo архивы PK4", "", true, false, true, 3, false},
        {"ServiceBratva1", "Архивы \"Братвы и Кольца\"", "Архивы \"Братвы и Кольца\"|Открывать в Varmelo архивы BIN", "", true, false, true, 4, false},
        {"ServiceCleaners1", "Архивы \"Санитаров Подземелий\"", "Архивы \"Санитаров Подземелий\"|Открывать в Varmelo архивы PAK", "", true, false, true, 5, false},
        {"ServiceStyle1", "Главное меню", "", "", false, false, true, 0, true},
        {"ServiceDefault1", "Стандартное Windows", "Стандартное Windows|Стиль меню, используемый по умолчанию", "", true, false, true, kStyleNative, false},
        {"ServiceXP1", "XP Style", "XP Style|Меню в стиле MS Office XP", "", true, false, true, kStyleXp, false},
        {"ServiceStandard1", "Обычное", "Обычное|Обычное меню", "", true, false, true, kStylePlain, false},
        {"CustomizeActionBars1", "Настройка...", "Настройка|Настройка меню и панели инструментов", "", false, false, true, 0, false},
        {"LanguageMenu1", "Language", "", "", false, false, true, 0, true},
        {"LanguageSelect1", "Select default language", "Select default language|Select language used in Windows", "", false, false, true, -1, false},
        {"HelpAbout1", "О программе", "", "", false, false, true, 0, false},
    };
    return specs;
}

void setActionHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    action->setProperty("hint", hint);
}

CommandTable::CommandTable(QWidget* window) : QObject(window) {
    for (const CommandSpec& s : commandSpecs()) {
        QAction* a = nullptr;
        const QString name = QString::fromLatin1(s.name);
        if (s.submenu) {
            auto* menu = new QMenu(QString::fromUtf8(s.caption), window);
            menu->setObjectName(name);
            a = menu->menuAction();
            submenus_.insert(name, menu);
        } else {
            a = new QAction(QString::fromUtf8(s.caption), window);
            window->addAction(a);
        }
        a->setObjectName(name);
        a->setText(QString::fromUtf8(s.caption));
        if (*s.hint) setActionHint(a, QString::fromUtf8(s.hint));
        if (*s.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(s.shortcut)));
        a->setCheckable(s.checkable);
        a->setChecked(s.checked);
        a->setEnabled(s.enabled);
        a->setData(s.tag);
        ordered_.append(a);
        byName_.insert(name, a);
    }
}

QAction* CommandTable::action(const QString& name) const { return byName_.value(name, nullptr); }

QMenu* CommandTable::submenu(const QString& name) const { return submenus_.value(name, nullptr); }

}  // namespace varmelo::gui
