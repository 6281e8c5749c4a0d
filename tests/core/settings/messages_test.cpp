#include "core/settings/messages.h"

#include <gtest/gtest.h>

#include "core/settings/text_format.h"

using namespace varmelo;

namespace {

// The defaults as the user sees them, typed out independently of the table in the code.
const char* const kExpected[kMessageCount] = {
    "%d байт", "%.2f КБ", "%.2f МБ", "%.2f ГБ", "Данная строка не найдена.",
    "Укажите папку, в которую вы хотите извлечь выбранные файлы:", "Файл %s|*.%0:s|Все файлы|*.*",
    "Файл '%s' не найден. Вы желаете указать его местоположение?", "Необходимый файл не найден", "Загрузка...",
    "Загрузка: %d%%", "Загрузка завершена", "Вы действительно хотите удалить эти файлы?", "Подтверждение удаления",
    "Данная строка не найдена.", "< Часть #%d >", "%d КБ", "%d текстур", "Подождите...", "Отсеивание завершено",
    "%d вершин, %d полигонов", "Перепаковка: %d%%", "№", "Имя", "Адрес", "Размер", "%d объектов", "Псевдоархив",
    "Первый запуск",
    "Судя по всему, вы запускаете Varmelo в первый раз. Вы хотите открывать с его помощью все поддерживаемые им "
    "файлы?",
    "Файл уже существует", "Файл \"%s\" уже есть в архиве. Заменить?",
};

}  // namespace

TEST(MessageTable, DefaultsAreTheRussianTexts) {
    MessageTable t;
    for (int n = 0; n < kMessageCount; ++n) EXPECT_EQ(t.get(n), kExpected[n]) << "message " << n;
    // Bytes that are easy to get wrong: the numero sign and the straight double quote.
    EXPECT_EQ(t.get(MsgColIndex), "\xE2\x84\x96");
    EXPECT_EQ(t.get(MsgExists).substr(0, 10), "Файл \"");
}

TEST(MessageTable, EntriesAreReplacedOneByOneAndRefilled) {
    MessageTable t;
    t.set(MsgNotFoundAll, "Nothing at all");
    EXPECT_EQ(t.get(MsgNotFound), "Данная строка не найдена.");  // 4 and 14 are separate entries
    EXPECT_EQ(t.get(MsgNotFoundAll), "Nothing at all");
    t.fillDefaults();
    EXPECT_EQ(t.get(MsgNotFoundAll), "Данная строка не найдена.");
    EXPECT_THROW(t.get(kMessageCount), std::out_of_range);
}

TEST(MessageTable, FormatStringsTakeTheirArguments) {
    MessageTable t;
    EXPECT_EQ(formatText(t.get(MsgExtractFilter), {std::string("TXD")}), "Файл TXD|*.TXD|Все файлы|*.*");
    EXPECT_EQ(formatText(t.get(MsgLoadingPercent), {int64_t(42)}), "Загрузка: 42%");
    EXPECT_EQ(formatText(t.get(MsgVertsPolys), {int64_t(8), int64_t(12)}), "8 вершин, 12 полигонов");
    EXPECT_EQ(formatText(t.get(MsgExists), {std::string("a.txd")}), "Файл \"a.txd\" уже есть в архиве. Заменить?");
}
