// A language file: listed by the language scan, then applied: every message and a form text.
#include "core/settings/language_files.h"
#include "core/settings/messages.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    const std::string path = fuzz::writeScratch("lang.lng", data, size);
    fuzz::expectCleanErrors([&] {
        const std::string folder = path.substr(0, path.rfind('/'));
        const std::vector<std::string> folders{folder};
        std::vector<LanguageRecord> list = scanLanguages(folders);
        (void)chooseStartLanguage(list, folders, "lang.lng", 25);
        const LanguageFile file(path);
        MessageTable table;
        file.applyMessages(table);
        (void)file.text("main", "Language", "");
        (void)file.hint("MainForm", "FileOpen1h");
        (void)file.charSet();
    });
    return 0;
}
