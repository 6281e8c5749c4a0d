// "Новый словарь текстур...": an empty texture dictionary stamped for a game, added to the open
// archive through its add command (so an entry of the same name is asked about as there), or
// written to a file.
#include <unistd.h>

#include <filesystem>

#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/settings/messages.h"
#include "core/texture/texture_dictionary.h"
#include "gui/app/main_window.h"
#include "gui/app/prompts.h"
#include "gui/app/window_preview_host.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/texture/qt_image.h"

namespace varmelo::gui {

namespace {

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    BinaryFile f = BinaryFile::createPlain(path);
    f.write(bytes.data(), bytes.size());
}

}  // namespace

void MainWindow::newTextureDictionary() {
    auto text = [this](int n) { return QString::fromStdString(messages_.get(n)); };
    const QString title = text(MsgNewTxdTitle);
    static const DictionaryGame kGames[] = {DictionaryGame::III, DictionaryGame::ViceCity, DictionaryGame::SanAndreas};
    const auto game = prompts_.pickItem(
        title, text(MsgNewTxdGame),
        {QStringLiteral("GTA III"), QStringLiteral("GTA: Vice City"), QStringLiteral("GTA: San Andreas")}, 2);
    if (!game || *game < 0 || *game > 2) return;
    bool intoArchive = false;
    if (previewHost_->archiveWritable()) {
        const auto where = prompts_.pickItem(title, text(MsgNewTxdWhere), {text(MsgNewTxdIntoArchive), text(MsgNewTxdToFile)}, 0);
        if (!where) return;
        intoArchive = *where == 0;
    }
    try {
        const std::vector<uint8_t> bytes = TextureDictionary::create(kGames[*game]).write();
        if (!intoArchive) {
            const auto chosen = prompts_.pickSaveFile(text(MsgTxdFilter), QStringLiteral("new.txd"));
            if (!chosen || chosen->isEmpty()) return;
            QString path = *chosen;
            if (!hasExtension(path)) path += QStringLiteral(".txd");
            writeFile(toPathBytes(path), bytes);
            return;
        }
        const auto name = prompts_.askText(title, text(MsgNewTxdEntryName), QStringLiteral("new.txd"));
        if (!name || name->isEmpty()) return;
        if (!toCp1251(*name) || name->contains(QLatin1Char('/')) || *name == QLatin1String(".") ||
            *name == QLatin1String(".."))
            throw UsageError("'" + name->toStdString() + "' cannot be the name of an entry");
        // The add command names an entry after its file: the file gets the name, in a folder
        // of its own.
        const std::string folder = privateTempFolder() + "/new-txd-" + std::to_string(getpid());
        std::filesystem::create_directories(folder);
        const QString file = fromPathBytes(folder) + QLatin1Char('/') + *name;
        writeFile(toPathBytes(file), bytes);
        browser_->addFiles({file});
        removeFileQuietly(toPathBytes(file));
        std::error_code ignored;
        std::filesystem::remove(folder, ignored);
    } catch (const std::exception& e) {
        prompts_.showError(errorText(e));
    }
}

}  // namespace varmelo::gui
