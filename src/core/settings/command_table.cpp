#include "core/settings/command_table.h"

#include <array>

namespace varmelo {

namespace {

using enum CommandKind;
using enum CommandIcon;
using enum EnableRule;

// In menu order: each menu shows the rows that name it, top to bottom.
constexpr auto kTable = std::to_array<CommandDef>({
    {.name = "File1", .kind = Menu, .caption = "Файл", .menu = kMenuBar},
    {.name = "FileNew1", .caption = "Создать...", .hint = "Создать|Создать новый псевдоархив", .shortcut = "Ctrl+N",
     .icon = NewFile, .menu = "File1", .toolbar = {1}},
    {.name = "FileOpen1", .caption = "Открыть...", .hint = "Открыть|Открыть существующий файл", .shortcut = "Ctrl+O",
     .icon = OpenFile, .menu = "File1", .toolbar = {2}},
    {.name = "MRUFile1", .caption = "Файл 1", .tag = 0, .menu = "File1", .gapBefore = true},
    {.name = "MRUFile2", .caption = "Файл 2", .tag = 1, .menu = "File1"},
    {.name = "MRUFile3", .caption = "Файл 3", .tag = 2, .menu = "File1"},
    {.name = "MRUFile4", .caption = "Файл 4", .tag = 3, .menu = "File1"},
    {.name = "MRUFile5", .caption = "Файл 5", .tag = 4, .menu = "File1"},
    {.name = "FileExit1", .caption = "Выход", .hint = "Выход|Выйти из Varmelo", .icon = Exit, .menu = "File1",
     .gapBefore = true},

    {.name = "Edit1", .kind = Menu, .caption = "Правка", .menu = kMenuBar},
    {.name = "EditOpen1", .caption = "Открыть", .hint = "Открыть|Открыть во внешнем редакторе",
     .enabledWhen = RowSelected, .menu = "Edit1", .contextMenu = {4, true}},
    {.name = "EditRename1", .caption = "Переименовать", .hint = "Переименовать|Переименовать выбранный файл",
     .shortcut = "F2", .enabledWhen = RowSelectedEditable, .menu = "Edit1", .contextMenu = {5}},
    {.name = "EditExtract1", .caption = "Извлечь...", .hint = "Извлечь|Извлечь файл(ы) в выбранную папку",
     .icon = Extract, .enabledWhen = RowSelected, .menu = "Edit1", .gapBefore = true, .toolbar = {3, true},
     .contextMenu = {1}},
    {.name = "EditReplace1", .caption = "Заменить...", .hint = "Заменить|Заменить выбранный файл", .icon = Replace,
     .enabledWhen = RowSelectedEditable, .menu = "Edit1", .contextMenu = {2}},
    {.name = "EditAdd1", .caption = "Добавить...", .hint = "Добавить|Добавить новый файл в архив", .shortcut = "Ins",
     .icon = Add, .enabledWhen = ArchiveEditable, .menu = "Edit1", .toolbar = {4}},
    {.name = "EditRemove1", .caption = "Удалить", .hint = "Удалить|Удалить выбранный файл из архива",
     .shortcut = "Del", .icon = Remove, .enabledWhen = RowSelectedEditable, .menu = "Edit1", .toolbar = {5},
     .contextMenu = {3}},

    {.name = "Search1", .kind = Menu, .caption = "Поиск", .menu = kMenuBar},
    {.name = "SearchFind1", .caption = "Найти...", .hint = "Найти|Поиск файла по маске", .shortcut = "Ctrl+F",
     .icon = Find, .enabledWhen = ArchiveOpen, .menu = "Search1", .toolbar = {6, true}},
    {.name = "SearchFindNext1", .caption = "Найти далее", .hint = "Найти далее|Поиск следующего файла",
     .shortcut = "F3", .icon = FindNext, .enabledWhen = SearchStarted, .menu = "Search1", .toolbar = {7}},
    {.name = "SearchFindAll1", .caption = "Найти все", .hint = "Найти все|Найти и выбрать все подходящие файлы",
     .enabledWhen = SearchStarted, .menu = "Search1"},
    {.name = "SearchFilter1", .caption = "Фильтр...",
     .hint = "Фильтр|Отобразить только файлы, соответствующие маске", .checkable = true, .icon = Filter,
     .enabledWhen = ArchiveOpen, .menu = "Search1", .gapBefore = true, .toolbar = {8}},

    {.name = "Service1", .kind = Menu, .caption = "Сервис", .menu = kMenuBar, .keepOnMenuBar = true},
    {.name = "ServiceRebuild1", .caption = "Перепаковать архив",
     .hint = "Перепаковать архив|Переупорядочить файлы в архиве", .enabledWhen = ArchiveEditable,
     .menu = "Service1"},
    {.name = "ServiceToolbar1", .caption = "Панель инструментов",
     .hint = "Панель инструментов|Показать/скрыть панель инструментов", .checkable = true, .checked = true,
     .menu = "Service1", .gapBefore = true},
    {.name = "ServicePreview1", .caption = "Панель просмотра",
     .hint = "Панель просмотра|Показать/скрыть панель просмотра", .shortcut = "Ctrl+P", .checkable = true,
     .checked = true, .menu = "Service1"},
    {.name = "ServiceAntialiasing1", .caption = "Сглаживание",
     .hint = "Сглаживание|Использовать сглаживание при просмотре", .checkable = true, .checked = true,
     .menu = "Service1"},
    {.name = "ServiceAssociations1", .kind = Submenu, .caption = "Открывать в Varmelo", .menu = "Service1",
     .gapBefore = true},
    {.name = "ServiceOpenAll1", .caption = "Все поддерживаемые файлы",
     .hint = "Все поддерживаемые файлы|Открывать в Varmelo все поддерживаемые им типы файлов", .checkable = true,
     .menu = "ServiceAssociations1"},
    {.name = "ServiceGTA1", .caption = "Архивы Grand Theft Auto",
     .hint = "Архивы Grand Theft Auto|Открывать в Varmelo архивы IMG", .checkable = true, .tag = 0,
     .menu = "ServiceAssociations1", .gapBefore = true},
    {.name = "ServiceSyberia1", .caption = "Архивы Syberia", .hint = "Архивы Syberia|Открывать в Varmelo архивы SYB",
     .checkable = true, .tag = 1, .menu = "ServiceAssociations1"},
    {.name = "ServiceHP1", .caption = "Архивы Harry Potter and the Goblet of Fire",
     .hint = "Архивы Harry Potter and the Goblet of Fire|Открывать в Varmelo архивы BIG", .checkable = true,
     .tag = 2, .menu = "ServiceAssociations1"},
    {.name = "ServicePrey1", .caption = "Архивы Prey", .hint = "Архивы Prey|Открывать в Varmelo архивы PK4",
     .checkable = true, .tag = 3, .menu = "ServiceAssociations1"},
    {.name = "ServiceBratva1", .caption = "Архивы \"Братвы и Кольца\"",
     .hint = "Архивы \"Братвы и Кольца\"|Открывать в Varmelo архивы BIN", .checkable = true, .tag = 4,
     .menu = "ServiceAssociations1"},
    {.name = "ServiceCleaners1", .caption = "Архивы \"Санитаров Подземелий\"",
     .hint = "Архивы \"Санитаров Подземелий\"|Открывать в Varmelo архивы PAK", .checkable = true, .tag = 5,
     .menu = "ServiceAssociations1"},
    {.name = "ServiceStyle1", .kind = Submenu, .caption = "Главное меню", .menu = "Service1", .gapBefore = true},
    {.name = "ServiceDefault1", .caption = "Стандартное Windows",
     .hint = "Стандартное Windows|Стиль меню, используемый по умолчанию", .checkable = true, .tag = kStyleNative,
     .menu = "ServiceStyle1"},
    {.name = "ServiceXP1", .caption = "XP Style", .hint = "XP Style|Меню в стиле MS Office XP", .checkable = true,
     .tag = kStyleXp, .menu = "ServiceStyle1"},
    {.name = "ServiceStandard1", .caption = "Обычное", .hint = "Обычное|Обычное меню", .checkable = true,
     .tag = kStylePlain, .menu = "ServiceStyle1"},
    {.name = "CustomizeActionBars1", .caption = "Настройка...", .hint = "Настройка|Настройка меню и панели инструментов",
     .enabledWhen = ProgramMenuBar, .menu = "Service1"},

    {.name = "LanguageMenu1", .kind = Submenu, .caption = "Language", .menu = kMenuBar},
    {.name = "LanguageSelect1", .caption = "Select default language",
     .hint = "Select default language|Select language used in Windows", .tag = -1, .menu = "LanguageMenu1"},

    {.name = "Help1", .kind = Menu, .caption = "Справка", .menu = kMenuBar},
    {.name = "HelpAbout1", .caption = "О программе", .icon = About, .captionOnToolbar = true, .menu = "Help1",
     .toolbar = {9, true}},
});

}  // namespace

bool isEnabled(EnableRule rule, const CommandFacts& facts) {
    const BrowserFacts& b = facts.browser;
    switch (rule) {
        case Always: return true;
        case ArchiveOpen: return b.archiveOpen;
        case ArchiveEditable: return b.archiveOpen && b.archiveEditable;
        case RowSelected: return b.rowSelected;
        case RowSelectedEditable: return b.rowSelected && b.archiveEditable;
        case SearchStarted: return b.searchStarted;
        case ProgramMenuBar: return facts.programMenuBar;
    }
    return false;
}

std::span<const CommandDef> commandTable() { return kTable; }

const CommandDef* findCommand(std::string_view name) {
    for (const CommandDef& c : kTable)
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace varmelo
