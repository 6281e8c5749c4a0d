#include "core/settings/locale_messages.h"

namespace varmelo {

namespace {

struct BuiltInText {
    Msg n;
    const char* text;
};

constexpr BuiltInText kEnglishSizes[] = {
    {MsgBytes, "%d bytes"}, {MsgKilobytes, "%.2f KB"}, {MsgMegabytes, "%.2f MB"},
    {MsgGigabytes, "%.2f GB"}, {MsgSizeKb, "%d KB"},
};

}  // namespace

MessageTable localeMessages(const std::vector<LanguageRecord>& languages, int userLangId) {
    MessageTable table;
    int index = systemLanguageIndex(languages, userLangId);
    if (index < 0) {
        if (primaryLanguageId(userLangId) == kRussianLanguageId) return table;
        for (const BuiltInText& t : kEnglishSizes) table.set(t.n, t.text);
        index = systemLanguageIndex(languages, kEnglishLanguageId);
    }
    if (index >= 0) LanguageFile(languages[size_t(index)].path).applyMessages(table);
    return table;
}

}  // namespace varmelo
