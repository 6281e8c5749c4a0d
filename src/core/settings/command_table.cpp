#include "core/settings/command_table.h"

#include <array>
#include <cctype>
#include <deque>
#include <string>
#include <vector>

#include "core/archive/archive_file_type.h"

namespace varmelo {

namespace {

using enum CommandKind;
using enum CommandIcon;
using enum EnableRule;

// In menu order: each menu shows the rows that name it, top to bottom.
constexpr auto kBeforeAssociations = std::to_array<CommandDef>({
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
    // After the exit command, so the language files' item-by-item keys of the menu keep their places.
    {.name = "FileNewTxd1", .caption = "Новый словарь текстур...",
     .hint = "Новый словарь текстур|Создать пустой словарь текстур в открытом архиве или в файле", .menu = "File1",
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
});

// Then one row per archive file type (associationRows), then these.
constexpr auto kAfterAssociations = std::to_array<CommandDef>({
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
    // Last in the menu, so the language files' item-by-item keys of the menu keep their places.
    {.name = "ServiceGameFolder1", .caption = "Папка игры...",
     .hint = "Папка игры|Выбрать папку игры, из которой модели показываются как в игре", .menu = "Service1"},

    {.name = "LanguageMenu1", .kind = Submenu, .caption = "Language", .menu = kMenuBar},
    {.name = "LanguageSelect1", .caption = "Select default language",
     .hint = "Select default language|Select language used in Windows", .tag = -1, .menu = "LanguageMenu1"},

    {.name = "Help1", .kind = Menu, .caption = "Справка", .menu = kMenuBar},
    {.name = "HelpAbout1", .caption = "О программе", .icon = About, .captionOnToolbar = true, .menu = "Help1",
     .toolbar = {9, true}},

    // The preview pages' context menus. Their pages enable and check the items.
    {.name = "PopupMenu2", .kind = PageMenu, .caption = "TXD", .menu = kPreviewPages},
    {.name = "CtxSaveImage", .caption = "Сохранить...", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "CtxSaveMask", .caption = "Сохранить маску...", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "CtxTxdAdd", .caption = "Добавить текстуры...", .enabledWhen = PageState, .menu = "PopupMenu2",
     .gapBefore = true},
    {.name = "CtxTxdReplace", .caption = "Заменить текстуру...", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "CtxTxdDelete", .caption = "Удалить", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "CtxTxdRename", .caption = "Переименовать", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "CtxTxdFormat", .caption = "Формат...", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "CtxTxdImport", .caption = "Импорт из папки...", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "CtxTxdUndo", .caption = "Отменить", .shortcut = "Ctrl+Z", .enabledWhen = PageState,
     .menu = "PopupMenu2", .gapBefore = true},
    {.name = "CtxTxdRedo", .caption = "Повторить", .shortcut = "Ctrl+Y", .enabledWhen = PageState,
     .menu = "PopupMenu2"},
    {.name = "CtxTxdSave", .caption = "Сохранить в архив", .enabledWhen = PageState, .menu = "PopupMenu2",
     .gapBefore = true},
    {.name = "CtxTxdSaveAs", .caption = "Сохранить как...", .enabledWhen = PageState, .menu = "PopupMenu2"},
    {.name = "PopupMenu3", .kind = PageMenu, .caption = "IPL", .menu = kPreviewPages},
    {.name = "CtxCopy", .caption = "Копировать", .enabledWhen = PageState, .menu = "PopupMenu3"},
    {.name = "CtxSelectAll", .caption = "Выделить всё", .enabledWhen = PageState, .menu = "PopupMenu3"},
    {.name = "CtxSaveIPL", .caption = "Сохранить как...", .enabledWhen = PageState, .menu = "PopupMenu3",
     .gapBefore = true},
    {.name = "PopupMenu4", .kind = PageMenu, .caption = "DDS, TGA", .menu = kPreviewPages},
    {.name = "CtxAlpha1", .caption = "Прозрачность", .checkable = true, .checked = true, .enabledWhen = PageState,
     .menu = "PopupMenu4"},
    {.name = "CtxSaveImage2", .caption = "Сохранить...", .enabledWhen = PageState, .menu = "PopupMenu4"},
    {.name = "PopupMenu5", .kind = PageMenu, .caption = "DFF", .menu = kPreviewPages},
    {.name = "CtxGameView", .caption = "Вид как в игре", .checkable = true, .enabledWhen = PageState,
     .menu = "PopupMenu5"},
    {.name = "CtxTextureDictionary", .caption = "Словарь текстур...", .enabledWhen = PageState,
     .menu = "PopupMenu5"},
    {.name = "CtxExportModel", .caption = "Экспорт модели...", .enabledWhen = PageState, .menu = "PopupMenu5"},
    {.name = "CtxCarColours", .caption = "Цвета...", .enabledWhen = PageState, .menu = "PopupMenu5", .gapBefore = true},
    {.name = "CtxExtraPart", .caption = "Дополнительная деталь...", .enabledWhen = PageState, .menu = "PopupMenu5"},
    {.name = "CtxNight", .caption = "Ночь", .checkable = true, .enabledWhen = PageState, .menu = "PopupMenu5"},
});

// "Архивы Syberia|Открывать в Varmelo архивы SYB"; the texts live as long as the table.
std::string_view associationHint(const ArchiveFileType& t) {
    static std::deque<std::string> hints;
    std::string ext(t.extension);
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    return hints.emplace_back(std::string(t.menuCaption) + "|Открывать в Varmelo архивы " + ext);
}

std::vector<CommandDef> buildTable() {
    std::vector<CommandDef> rows(kBeforeAssociations.begin(), kBeforeAssociations.end());
    const auto types = archiveFileTypes();
    for (size_t tag = 0; tag < types.size(); ++tag)
        rows.push_back({.name = types[tag]->command, .caption = types[tag]->menuCaption,
                        .hint = associationHint(*types[tag]), .checkable = true, .tag = int(tag),
                        .menu = "ServiceAssociations1", .gapBefore = tag == 0});
    rows.insert(rows.end(), kAfterAssociations.begin(), kAfterAssociations.end());
    return rows;
}

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
        case PageState: return true;
    }
    return false;
}

std::span<const CommandDef> commandTable() {
    static const std::vector<CommandDef> table = buildTable();
    return table;
}

bool isPageCommand(const CommandDef& c) {
    const CommandDef* parent = c.kind == Command ? findCommand(c.menu) : nullptr;
    return parent && parent->kind == PageMenu;
}

const CommandDef* findCommand(std::string_view name) {
    for (const CommandDef& c : commandTable())
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace varmelo
