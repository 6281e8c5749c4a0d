#pragma once
// The message table of a program without a language menu (varmelo-cli): it speaks the
// language of the user's locale through the same language files as the window, and English
// where no file is for that language, since the built-in texts are Russian.
#include <vector>

#include "core/settings/language_files.h"
#include "core/settings/messages.h"

namespace varmelo {

inline constexpr int kEnglishLanguageId = 0x09;
inline constexpr int kRussianLanguageId = 0x19;

// The file of the user's language (userLangId as userLanguageId gives it) applied over the
// built-in texts; for a language without a file, the English file, or when there is none the
// built-in English texts of the sizes (the texts the command line prints). A Russian locale
// without a file keeps the built-in texts.
MessageTable localeMessages(const std::vector<LanguageRecord>& languages, int userLangId);

}  // namespace varmelo
