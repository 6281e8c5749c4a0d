#include "core/settings/messages.h"

namespace varmelo {

const std::array<const char*, kMessageCount>& MessageTable::defaults() {
    static const std::array<const char*, kMessageCount> texts = {
        "%d байт",
        "%.2f КБ",
        "%.2f МБ",
        "%.2f ГБ",
        "Данная строка не найдена.",
        "Укажите папку, в которую вы хотите извлечь выбранные файлы:",
        "Файл %s|*.%0:s|Все файлы|*.*",
        "Файл '%s' не найден. Вы желаете указать его местоположение?",
        "Необходимый файл не найден",
        "Загрузка...",
        "Загрузка: %d%%",
        "Загрузка завершена",
        "Вы действительно хотите удалить эти файлы?",
        "Подтверждение удаления",
        "Данная строка не найдена.",
        "< Часть #%d >",
        "%d КБ",
        "%d текстур",
        "Подождите...",
        "Отсеивание завершено",
        "%d вершин, %d полигонов",
        "Перепаковка: %d%%",
        "№",
        "Имя",
        "Адрес",
        "Размер",
        "%d объектов",
        "Псевдоархив",
        "Первый запуск",
        "Судя по всему, вы запускаете Varmelo в первый раз. Вы хотите открывать с его помощью все "
        "поддерживаемые им файлы?",
        "Файл уже существует",
        "Файл \"%s\" уже есть в архиве. Заменить?",
        // Added after the first 32: appended to message 11 when a ZIP's listing stops early,
        // the DFF page's word on parts whose geometry is in a console's own format, and its
        // game look's textures.
        "Не удалось прочитать записей: %d из %d.",
        "Геометрия в формате приставки не показывается",
        "Геометрия в формате приставки не показывается: %d из %d",
        "Нет текстур: %s",
        "Словарь текстур",
        "Текстуры для %s берутся из словаря:",
        // The DFF page's word on damage it read past: triangles naming vertices the geometry
        // lacks, and a Struct's size word it did not trust.
        "Треугольников с вершинами вне списка: %d",
        "Повреждено слово размера: %s",
        // "Папка игры...": the picker's title, and the word on a folder that holds no game.
        "Папка игры",
        "В папке \"%s\" нет игры: в её папке data нет gta.dat, gta_vc.dat или gta3.dat.",
        // The game look of a model: its item definition, a car's colour set and the pickers
        // of colour sets and of the optional part shown.
        "Модель в игре: %d (%s), словари: %s",
        "Цвета %d из %d: %s",
        "Цвета",
        "Цвета машины %s:",
        "Дополнительная деталь",
        "Какую из дополнительных деталей показать:",
        // The texture dictionary page's editing: leaving unsaved changes, renaming a texture,
        // the pictures it takes, import from a folder, "Сохранить как...", a new dictionary,
        // and the one dialog of format, mipmaps and size (its mipmap items split at '|').
        "Сохранить изменения в словаре текстур %s?",
        "Словарь текстур изменён",
        "Переименование текстуры",
        "Новое имя текстуры:",
        "Картинки|*.png;*.jpg;*.jpeg;*.bmp;*.tga;*.dds|Все файлы|*.*",
        "Папка с картинками для текстур",
        "В папке нет картинок с именами текстур этого словаря.",
        "Заменено текстур: %d",
        "Словарь текстур (*.txd)|*.txd",
        "Новый словарь текстур",
        "Для какой игры:",
        "Куда записать словарь:",
        "В открытый архив",
        "В файл...",
        "Имя новой записи:",
        "Параметры текстуры",
        "Формат:",
        "Мип-уровни:",
        "нет|полная цепочка|как было",
        "Привести размер к степени двойки",
        "Авто",
    };
    return texts;
}

MessageTable::MessageTable() { fillDefaults(); }

void MessageTable::fillDefaults() {
    const auto& d = defaults();
    for (size_t i = 0; i < texts_.size(); ++i) texts_[i] = d[i];
}

}  // namespace varmelo
