// The texture dictionary page's editing: the dictionary is read from its entry at the first
// change, every change is one step of its history, and what the page shows is the dictionary
// as it now is, written to a file of the page's own.
#include <unistd.h>

#include <QAction>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QToolBar>
#include <atomic>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/entry_reader.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "core/texture/picture_file.h"
#include "core/texture/picture_folder.h"
#include "gui/app/prompts.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/preview_host.h"
#include "gui/preview/texture/qt_image.h"
#include "gui/preview/texture/texture_options_dialog.h"
#include "gui/preview/texture/txd_page.h"

namespace varmelo::gui {

namespace {

// A file of its own for each page and purpose, in the program's private folder.
std::string privateFile(const char* purpose) {
    static std::atomic<int> serial{0};
    return privateTempFolder() + "/" + purpose + "-" + std::to_string(getpid()) + "-" + std::to_string(++serial) +
           ".txd";
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    BinaryFile f = BinaryFile::createPlain(path);
    f.write(bytes.data(), bytes.size());
}

std::shared_ptr<const Image> loadPicture(const std::string& file, int* levels = nullptr) {
    try {
        return std::make_shared<const Image>(LoadPictureFile(file, levels).image);
    } catch (const std::exception& e) {
        throw FormatError(file + ": " + e.what());
    }
}

std::vector<uint8_t> readEntry(const std::string& path, uint64_t offset, uint64_t size) {
    EntryReader r = EntryReader::open(path, offset, size);
    return r.read(size_t(r.size()));
}

}  // namespace

QString TxdPage::msg(int n) const { return QString::fromStdString(messages_.get(n)); }

const TTexRec* TxdPage::selectedTexture() const {
    const int t = currentRow();
    return t >= 0 && t < model_->rowCount() ? &textures()[size_t(t)] : nullptr;
}

void TxdPage::updateEditActions() {
    const bool row = selectedTexture() != nullptr;
    const bool edit = writable_ && tableWhole_;
    saveImage_->setEnabled(row);
    saveMask_->setEnabled(row);
    add_->setEnabled(edit);
    import_->setEnabled(edit);
    for (QAction* a : {replace_, delete_, rename_, format_}) a->setEnabled(edit && row);
    undo_->setEnabled(history_.canUndo());
    redo_->setEnabled(history_.canRedo());
    save_->setEnabled(edit && history_.modified());
    saveAs_->setEnabled(tableWhole_);
    // An empty dictionary that can be edited still takes new textures from the menu.
    list_->setContextMenuPolicy(row || edit ? Qt::CustomContextMenu : Qt::NoContextMenu);
}

std::optional<EncodeOptions> TxdPage::askOptions(bool withResize) {
    if (chooseOptions_) return chooseOptions_(withResize);
    TextureOptionsDialog dialog(messages_, withResize, this);
    dialog.setOptions(lastOptions_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    lastOptions_ = dialog.options();
    return lastOptions_;
}

bool TxdPage::startEditing() {
    if (history_.active()) return true;
    if (!writable_) return false;
    try {
        history_.start(TextureDictionary::read(readEntry(entryPath_, entryOffset_, entrySize_)));
    } catch (const std::exception& e) {
        reportFailure(e);
        return false;
    }
    return true;
}

bool TxdPage::applyEdits(const std::vector<TextureEdit>& edits, const std::vector<std::string>& files,
                         const std::string& select) {
    if (edits.empty() || !startEditing()) return false;
    size_t failed = 0;
    try {
        history_.apply(edits, &failed);
    } catch (const std::exception& e) {
        const std::string file = failed < files.size() ? files[failed] : std::string();
        prompts_.showError(file.empty() ? errorText(e) : fromPathBytes(file) + QStringLiteral(": ") + errorText(e));
        return false;
    }
    showEdited(select);
    return true;
}

void TxdPage::showEdited(const std::string& select) {
    runCommand([&] {
        const std::vector<uint8_t> bytes = history_.dictionary().write();
        // The thumbnails of the last copy are read from the file about to be written.
        stopLoader();
        if (editedFile_.empty()) editedFile_ = privateFile("txd-page");
        writeFile(editedFile_, bytes);
        showHeader(entryName_, kilobytes(bytes.size()));
        showTable(editedFile_, 0, bytes.size());
        const auto& t = textures();
        for (size_t i = 0; i < t.size(); ++i)
            if (asciiLower(t[i].Name) == asciiLower(select)) list_->setCurrentIndex(model_->index(int(i)));
    });
    updateEditActions();
}

void TxdPage::addTextures() {
    if (!startEditing()) return;
    const QStringList files = prompts_.pickOpenFiles(msg(MsgPictureFilter));
    if (files.isEmpty()) return;
    const auto options = askOptions(true);
    if (!options) return;
    std::vector<TextureEdit> edits;
    std::vector<std::string> paths;
    runCommand([&] {
        for (const QString& f : files) {
            int levels = 1;
            paths.push_back(toPathBytes(f));
            auto picture = loadPicture(paths.back(), &levels);
            // A name Windows-1251 cannot hold comes out empty, which the dictionary refuses.
            const std::string name = toCp1251(QFileInfo(f).completeBaseName()).value_or(std::string());
            edits.push_back(AddTexture{name, std::move(picture), *options, {levels, false}});
        }
    });
    if (edits.size() != size_t(files.size())) return;
    applyEdits(edits, paths, std::get<AddTexture>(edits.back()).name);
}

void TxdPage::replaceTexture() {
    const TTexRec* t = selectedTexture();
    if (!t || !startEditing()) return;
    const std::string name = t->Name;
    const auto file = prompts_.pickOpenFile(msg(MsgPictureFilter));
    if (!file || file->isEmpty()) return;
    const auto options = askOptions(true);
    if (!options) return;
    const std::string path = toPathBytes(*file);
    std::shared_ptr<const Image> picture;
    runCommand([&] { picture = loadPicture(path); });
    if (picture) applyEdits({ReplaceTexture{name, picture, *options}}, {path}, name);
}

void TxdPage::deleteTexture() {
    const TTexRec* t = selectedTexture();
    if (!t) return;
    // The row after it takes the selection, or the one before when it was the last.
    const int row = currentRow();
    const int next = row + 1 < model_->rowCount() ? row + 1 : row - 1;
    const std::string select = next >= 0 ? textures()[size_t(next)].Name : std::string();
    applyEdits({DeleteTexture{t->Name}}, {}, select);
}

void TxdPage::renameTexture() {
    const TTexRec* t = selectedTexture();
    if (!t || !startEditing()) return;
    const std::string name = t->Name;
    const auto typed = prompts_.askText(msg(MsgTxdRenameTitle), msg(MsgTxdRenameLabel), fromCp1251(name));
    if (!typed) return;
    // The edit only offers what Windows-1251 can hold; anything else is not a name.
    const auto newName = toCp1251(*typed);
    if (!newName || *newName == name) return;
    applyEdits({RenameTexture{name, *newName}}, {}, *newName);
}

void TxdPage::changeFormat() {
    const TTexRec* t = selectedTexture();
    if (!t || !startEditing()) return;
    const std::string name = t->Name;
    const auto options = askOptions(false);
    if (!options) return;
    applyEdits({SetTextureFormat{name, options->format, options->mipmaps}}, {}, name);
}

void TxdPage::importFolder() {
    if (!startEditing()) return;
    const auto folder = prompts_.pickFolder(msg(MsgTxdImportTitle));
    if (!folder || folder->isEmpty()) return;
    std::vector<PictureForTexture> found;
    try {
        found = picturesForTextures(history_.dictionary(), toPathBytes(*folder));
    } catch (const std::exception& e) {
        reportFailure(e);
        return;
    }
    if (found.empty()) {
        prompts_.showMessage(msg(MsgTxdImportNone));
        return;
    }
    const auto options = askOptions(true);
    if (!options) return;
    std::vector<TextureEdit> edits;
    std::vector<std::string> files;
    runCommand([&] {
        for (const PictureForTexture& p : found) {
            edits.push_back(ReplaceTexture{history_.dictionary().textures()[p.texture].info.Name,
                                           loadPicture(p.file), *options});
            files.push_back(p.file);
        }
    });
    if (edits.size() != found.size()) return;
    const TTexRec* t = selectedTexture();
    if (applyEdits(edits, files, t ? t->Name : std::string()) && host_)
        host_->showStatus(QString::fromStdString(formatText(messages_.get(MsgTxdImported), {int64_t(edits.size())})));
}

void TxdPage::undo() {
    if (!history_.canUndo()) return;
    const TTexRec* t = selectedTexture();
    const std::string select = t ? t->Name : std::string();
    history_.undo();
    showEdited(select);
}

void TxdPage::redo() {
    if (!history_.canRedo()) return;
    const TTexRec* t = selectedTexture();
    const std::string select = t ? t->Name : std::string();
    history_.redo();
    showEdited(select);
}

bool TxdPage::saveToArchive() {
    if (!history_.modified() || !entry_ || !host_) return true;
    const std::string temp = privateFile("txd-save");
    // The preview the archive's list runs after the write shows the entry as saved: the
    // history must be gone by then, and comes back if the write fails.
    EditHistory kept = history_;
    try {
        writeFile(temp, history_.dictionary().write());
        history_.clear();
        host_->replaceEntryData(*entry_, temp);
    } catch (const std::exception& e) {
        removeFileQuietly(temp);
        history_ = std::move(kept);
        updateEditActions();
        reportFailure(e);
        return false;
    }
    removeFileQuietly(temp);
    updateEditActions();
    return true;
}

void TxdPage::saveAs() {
    if (!tableWhole_) return;
    const auto chosen = prompts_.pickSaveFile(msg(MsgTxdFilter), fromCp1251(entryName_));
    if (!chosen || chosen->isEmpty()) return;
    QString path = *chosen;
    if (!hasExtension(path)) path += QStringLiteral(".txd");
    runCommand([&] {
        const std::vector<uint8_t> bytes =
            history_.active() ? history_.dictionary().write()
                              : TextureDictionary::read(readEntry(entryPath_, entryOffset_, entrySize_)).write();
        writeFile(toPathBytes(path), bytes);
    });
}

bool TxdPage::holdsEditsOf(uint32_t entry) const { return history_.modified() && entry_ == entry; }

TxdPage::Leave TxdPage::leave() {
    if (!history_.modified()) return Leave::Go;
    const QString name = fromCp1251(entryName_);
    switch (prompts_.askYesNoCancel(QString::fromStdString(formatText(messages_.get(MsgTxdUnsaved), {name.toStdString()})),
                                    msg(MsgTxdUnsavedCaption), Prompts::Icon::Question)) {
    case Prompts::Answer::Yes: return saveToArchive() ? Leave::Saved : Leave::Stay;
    case Prompts::Answer::No:
        history_.clear();
        updateEditActions();
        return Leave::Go;
    case Prompts::Answer::Cancel: break;
    }
    return Leave::Stay;
}

}  // namespace varmelo::gui
