#include "gui/preview/model/dff_page.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/archive/open_archive.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/model/dff_reader.h"
#include "core/view/clump_as_shown.h"
#include "core/view/game_look.h"
#include "core/view/game_view_rules.h"
#include "core/export/gltf_export.h"
#include "core/view/model_dictionary.h"
#include "core/view/part_mesh.h"
#include "core/io/entry_reader.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "gui/app/file_dialog_filter.h"
#include "gui/app/prompts.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/model/model_camera.h"
#include "gui/preview/model/view_slot.h"
#include "gui/preview/preview_host.h"
#include "gui/preview/texture/qt_image.h"
#include "gui/scene/scene.h"

namespace varmelo::gui {

namespace {

QColor toColour(const Rgba& c) { return QColor::fromRgbF(c.r, c.g, c.b, c.a); }

// The model's textures from the dictionary named like it in its archive, for a page shown
// without a window around it; none when the archive holds none or cannot be read again.
ModelTextures archiveTextures(const DffClump& clump, const std::string& archivePath, const std::string& name) {
    try {
        if (auto dictionary = openSameNamedDictionary(openArchive(archivePath), name))
            return LoadModelTextures(clump, *dictionary);
    } catch (const std::exception&) {
    }
    return NoModelTextures(clump);
}

QString joined(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& n : names) list << fromCp1251(n);
    return list.join(QStringLiteral(", "));
}

}  // namespace

DffPage::DffPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<scene::CameraDriver> driver,
                 PreviewHost* host, QWidget* parent)
    : PreviewPageFrame(PreviewPage::Dff, "DFF", messages, prompts, parent),
      host_(host),
      scene_(new scene::Scene(this)),
      gameView_(host && host->gameView()) {
    info_ = new QLabel;
    info_->setObjectName("DFFInfo");
    setInfoLine(info_);
    gameLine_ = new QLabel;
    gameLine_->setObjectName("DFFGameModel");
    gameLine_->setWordWrap(true);
    gameLine_->setVisible(false);
    status_ = new QLabel;
    status_->setObjectName("DFFStatus");
    status_->setWordWrap(true);  // a damage note names chunk and offset: longer than the panel is wide
    status_->setVisible(false);
    list_ = new QListWidget;
    list_->setObjectName("CheckListBox1");

    QWidget* panel = listPanel({info_, gameLine_, status_}, list_);

    QWidget* viewWidget = makeSceneView(*scene_, "Scene1", view_);
    if (view_) {
        view_->setBackground(Qt::white);
        view_->setCameraDriver(std::move(driver));
    }

    splitter_ = splitOverView("Splitter4", panel, viewWidget);

    buildMenu();
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popupMenu(list_->viewport(), at); });
    // A right drag in the view zooms, so only a right click without one opens the menu.
    if (view_) {
        connect(view_, &scene::SceneView::rightClicked, this, [this](QPoint at) { popupMenu(view_, at); });
    } else {
        viewWidget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(viewWidget, &QWidget::customContextMenuRequested, this,
                [this, viewWidget](const QPoint& at) { popupMenu(viewWidget, at); });
    }

    connect(list_, &QListWidget::itemChanged, this, &DffPage::rowChanged);
    connect(list_, &QListWidget::itemSelectionChanged, this, &DffPage::selectionChanged);
}

DffPage::~DffPage() = default;

// --- the page's menu ---------------------------------------------------------------------

void DffPage::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu5");
    // The page's commands in menu order, one line each.
    gameViewItem_ = addMenuItem("CtxGameView", [this](bool on) { setGameView(on); });
    dictionaryItem_ = addMenuItem("CtxTextureDictionary", [this](bool) { chooseDictionary(); });
    exportItem_ = addMenuItem("CtxExportModel", [this](bool) { exportModel(); });
    coloursItem_ = addMenuItem("CtxCarColours", [this](bool) { chooseColours(); });
    extraItem_ = addMenuItem("CtxExtraPart", [this](bool) { chooseExtra(); });
    nightItem_ = addMenuItem("CtxNight", [this](bool on) { setNight(on); });
    exportFilter_ = new FileDialogFilter(QStringLiteral("SaveDialog5"), QString::fromUtf8(kExportFilter), this);
    gameViewItem_->setChecked(gameView_);
    connect(menu_, &QMenu::aboutToShow, this, &DffPage::prepareMenu);
}

QAction* DffPage::addMenuItem(const char* name, std::function<void(bool)> run) {
    return addCommand(menu_, name, [this, run = std::move(run)](bool on) { runCommand([&] { run(on); }); });
}

void DffPage::prepareMenu() {
    gameViewItem_->setChecked(gameView_);
    dictionaryItem_->setEnabled(gameView_ && clump_ && host_ && !dictionaryEntries(host_->entryNames()).empty());
    exportItem_->setEnabled(clump_ != nullptr);
    coloursItem_->setEnabled(gameView_ && clump_ && inGame_.colourSets.size() > 1);
    bool extras = false;
    for (const DffPart& part : parts_) extras = extras || isExtraCaption(part.caption);
    extraItem_->setEnabled(gameView_ && clump_ && extras);
    nightItem_->setChecked(night_);
    nightItem_->setEnabled(gameView_ && clump_);
}

void DffPage::setNight(bool on) {
    nightItem_->setChecked(on);
    if (on == night_) return;
    night_ = on;
    if (clump_ && gameView_) rebuildMeshes();
}

void DffPage::popupMenu(QWidget* over, const QPoint& at) {
    prepareMenu();
    menu_->popup(over->mapToGlobal(at));
}

// --- the model ---------------------------------------------------------------------------

scene::Mesh* DffPage::partMesh(int row) const {
    return row >= 0 && size_t(row) < meshes_.size() && !meshes_[size_t(row)].empty() ? meshes_[size_t(row)].front()
                                                                                      : nullptr;
}

std::vector<scene::Mesh*> DffPage::rowMeshes(int row) const {
    return row >= 0 && size_t(row) < meshes_.size() ? meshes_[size_t(row)] : std::vector<scene::Mesh*>{};
}

void DffPage::setAntialiasing(bool on) {
    if (view_) view_->setAntialiasing(on ? scene::SceneView::Antialiasing::Multisample2x
                                         : scene::SceneView::Antialiasing::None);
}

void DffPage::preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) {
    askForPage(PreviewPage::Dff);
    showHeader(name, kilobytes(size));

    archivePath_ = archivePath;
    offset_ = offset;
    size_ = size;
    // An entry that cannot even be opened leaves no parts of the model shown before.
    clump_ = std::make_unique<DffClump>();
    try {
        EntryReader entry = EntryReader::open(archivePath, offset, size);
        *clump_ = ReadDffClump(entry);
    } catch (const std::exception& e) {
        clump_->error = e.what();
    }
    parts_ = dffParts(*clump_);
    modelName_ = name;
    texturesLoaded_ = false;
    textures_ = {};
    textureSet_ = {};
    paintedClump_.reset();
    inGame_ = {};
    pickedExtra_.reset();
    dictionaryName_.clear();
    textureError_.clear();

    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const DffPart& part : parts_) {
            auto* item = new QListWidgetItem(fromCp1251(part.caption), list_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
            if (part.placed() && clump_->geometries[size_t(part.geometry)].nativeData()) {
                item->setToolTip(QString::fromStdString(messages_.get(MsgConsoleGeometry)));
                item->setForeground(Qt::gray);
            }
        }
        applyRowStarts();
    }
    if (gameView_) loadTextures();
    rebuildMeshes();

    int native = 0;
    for (const DffPart& part : parts_) native += part.placed() && clump_->geometries[size_t(part.geometry)].nativeData();
    info_->setText(QString::fromStdString(formatText(
        messages_.get(MsgVertsPolys), {int64_t(clump_->totalVertices), int64_t(clump_->totalTriangles)})));
    // What the view leaves out or read past, one line each.
    QStringList damage;
    if (native)
        damage << QString::fromStdString(
            formatText(messages_.get(MsgConsoleGeometryCount), {int64_t(native), int64_t(parts_.size())}));
    if (clump_->badTriangles)
        damage << QString::fromStdString(formatText(messages_.get(MsgBadTriangles), {int64_t(clump_->badTriangles)}));
    for (const std::string& note : clump_->notes)
        damage << QString::fromStdString(formatText(messages_.get(MsgDamagedSizeWord), {note}));
    status_->setText(damage.join(QLatin1Char('\n')));
    status_->setToolTip(status_->text());
    status_->setVisible(!damage.isEmpty());
    fitCameraToRadius(scene_->camera(), clump_->largestRadius);
    showMissingTextures();
    showGameLine();

    if (!clump_->error.empty()) throw FileError(clump_->error);
    if (!textureError_.empty()) throw FileError(textureError_);
}

void DffPage::applyRowStarts() {
    // The damaged and far-away parts and the extras not picked start hidden in the game look;
    // the silver look shows all.
    const std::vector<bool> shown = gameViewRowsShown(parts_, pickedExtra_);
    for (int i = 0; i < list_->count() && size_t(i) < parts_.size(); ++i)
        if (!shown[size_t(i)] || isExtraCaption(parts_[size_t(i)].caption))
            list_->item(i)->setCheckState(gameView_ && !shown[size_t(i)] ? Qt::Unchecked : Qt::Checked);
}

void DffPage::rebuildMeshes() {
    for (auto& row : meshes_)
        for (scene::Mesh* m : row) scene_->remove(m);
    // The game look draws the model in the game's paint and on the game's wheel, which may add
    // parts the file lacks: they follow the rows, always shown. The silver look, the file.
    const DffClump& drawn = gameView_ && paintedClump_ ? *paintedClump_ : *clump_;
    const std::vector<DffPart> drawnParts = &drawn == clump_.get() ? parts_ : dffParts(drawn);
    meshes_.assign(std::max(parts_.size(), drawnParts.size()), {});
    for (size_t i = 0; i < meshes_.size(); ++i) {
        const DffPart& part = i < drawnParts.size() ? drawnParts[i] : parts_[i];
        if (!gameView_) {
            PartMesh lists = varmelo::partMesh(drawn, part, {part.frame, false}, false);
            if (lists.empty()) continue;
            scene::Mesh& mesh = scene_->addMesh();
            fillSilverMesh(mesh, std::move(lists));
            meshes_[i].push_back(&mesh);
        } else {
            for (const PartPlacement& at : gameViewPlacements(drawn, part, inGame_.wheels)) {
                PartMesh lists = varmelo::partMesh(drawn, part, at, true);
                if (lists.empty()) continue;
                scene::Mesh& mesh = scene_->addMesh();
                fillGameMesh(mesh, std::move(lists), textureSet_, night_);
                meshes_[i].push_back(&mesh);
            }
        }
        const bool shown = int(i) >= list_->count() || list_->item(int(i))->checkState() == Qt::Checked;
        for (scene::Mesh* m : meshes_[i]) m->setVisible(shown);
    }
    selectionChanged();
}

// --- textures ----------------------------------------------------------------------------

void DffPage::loadTextures() {
    texturesLoaded_ = true;
    paintedClump_.reset();
    inGame_ = {};
    const GameData* game = host_ ? host_->gameData() : nullptr;
    textures_ = game ? readGameTextures(*game) : readTextures();
    textureSet_ = ModelTextureSet(textures_);
}

std::optional<size_t> DffPage::chosenDictionary(const std::vector<std::string>& names) {
    if (host_->archiveSerial() != choicesSerial_) {
        chosenDictionaries_.clear();
        choicesSerial_ = host_->archiveSerial();
    }
    const auto chosen = chosenDictionaries_.find(asciiUpper(modelName_));
    if (chosen == chosenDictionaries_.end()) return std::nullopt;
    for (size_t i : dictionaryEntries(names))
        if (names[i] == chosen->second) return i;
    return std::nullopt;
}

ModelTextures DffPage::readGameTextures(const GameData& game) {
    textureError_.clear();
    dictionaryName_.clear();
    const std::vector<std::string> names = host_->entryNames();
    std::optional<ChosenDictionary> chosen;
    if (const std::optional<size_t> index = chosenDictionary(names)) {
        dictionaryName_ = names[*index];
        try {
            const PreviewHost::EntryPlace place = host_->entryPlace(*index);
            chosen = ChosenDictionary{dictionaryName_, EntryReader::open(place.archivePath, place.offset, place.size)};
        } catch (const FileError& e) {
            textureError_ = e.what();
        }
    }
    const bool choice = chosen.has_value();
    GameLook look;
    try {
        look = gameLookOf(game, *clump_, modelName_, host_->archive(), std::move(chosen));
    } catch (const FileError& e) {
        textureError_ = e.what();
        return NoModelTextures(*clump_);
    }
    // A model no IDE file of the game defines has no chain: its namesake, as without a game.
    if (!look.record && !choice && textureError_.empty()) return readTextures();
    inGame_.kind = look.kind;
    inGame_.record = look.record;
    for (const DictionaryLink& link : look.textures.chain) inGame_.chain.push_back(link.name);
    inGame_.colourSets = std::move(look.colourSets);
    inGame_.setPaints = std::move(look.setPaints);
    inGame_.wheels = look.wheels;
    inGame_.wheeled = std::move(look.wheeled);
    paintModel();
    if (!choice && !look.textures.chain.empty()) {
        const std::string first = look.textures.chain.front().name + ".txd";
        for (size_t i : dictionaryEntries(names))
            if (dictionaryName_.empty() && sameAsciiName(names[i], first)) dictionaryName_ = names[i];
    }
    return std::move(look.textures.textures);
}

ModelTextures DffPage::readTextures() {
    textureError_.clear();
    dictionaryName_.clear();
    ModelTextures textures = NoModelTextures(*clump_);
    if (!host_ || textures.missing.empty()) return textures;
    const std::vector<std::string> names = host_->entryNames();
    std::optional<size_t> index = chosenDictionary(names);
    if (!index) index = sameNamedDictionary(names, modelName_);
    if (!index) return textures;
    dictionaryName_ = names[*index];
    try {
        const PreviewHost::EntryPlace place = host_->entryPlace(*index);
        EntryReader dictionary = EntryReader::open(place.archivePath, place.offset, place.size);
        textures = LoadModelTextures(*clump_, dictionary);
    } catch (const FileError& e) {
        // The model is shown untextured; the failure is reported once it is up.
        textureError_ = e.what();
    }
    return textures;
}

void DffPage::paintModel() {
    const DffClump& base = inGame_.wheeled ? *inGame_.wheeled : *clump_;
    const bool painted = inGame_.colourSet < inGame_.setPaints.size() && !inGame_.setPaints[inGame_.colourSet].empty();
    if (painted) paintedClump_ = std::make_unique<DffClump>(paintedClump(base, inGame_.kind, inGame_.setPaints[inGame_.colourSet]));
    else if (inGame_.wheeled) paintedClump_ = std::make_unique<DffClump>(base);
    else paintedClump_.reset();
}

void DffPage::showMissingTextures() {
    if (!host_) return;
    QStringList parts;
    if (gameView_ && clump_ && !inGame_.colourSets.empty()) {
        QStringList numbers;
        for (uint8_t n : inGame_.colourSets[inGame_.colourSet]) numbers << QString::number(n);
        parts << QString::fromStdString(formatText(messages_.get(MsgColourSet),
                                                   {int64_t(inGame_.colourSet + 1), int64_t(inGame_.colourSets.size()),
                                                    numbers.join(QStringLiteral(", ")).toStdString()}));
    }
    if (gameView_ && clump_ && !textures_.missing.empty())
        parts << QString::fromStdString(formatText(messages_.get(MsgMissingTextures), {joined(textures_.missing).toStdString()}));
    if (!parts.isEmpty()) {
        host_->showStatus(parts.join(QStringLiteral("; ")));
        statusShown_ = true;
    } else if (statusShown_) {
        host_->showStatus(QString());
        statusShown_ = false;
    }
}

void DffPage::setGameView(bool on) {
    gameViewItem_->setChecked(on);
    if (on == gameView_) return;
    gameView_ = on;
    if (host_) host_->setGameView(on);
    if (!clump_) return;
    {
        const QSignalBlocker block(list_);
        applyRowStarts();
    }
    if (on && !texturesLoaded_) loadTextures();
    rebuildMeshes();
    showMissingTextures();
    showGameLine();
    if (on && !textureError_.empty()) throw FileError(textureError_);
}

void DffPage::showGameLine() {
    const bool shown = gameView_ && clump_ && inGame_.record;
    gameLine_->setVisible(shown);
    if (!shown) return;
    const GameModelRecord& r = *inGame_.record;
    QStringList chain;
    for (const std::string& name : inGame_.chain) chain << fromCp1251(name);
    gameLine_->setText(QString::fromStdString(
        formatText(messages_.get(MsgGameModel),
                   {int64_t(r.id), fromCp1251(r.ide).toStdString(), chain.join(QStringLiteral(", ")).toStdString()})));
    gameLine_->setToolTip(gameLine_->text());
}

void DffPage::gameChanged() {
    texturesLoaded_ = false;
    if (!clump_ || !gameView_) return;
    loadTextures();
    {
        const QSignalBlocker block(list_);
        applyRowStarts();
    }
    rebuildMeshes();
    showMissingTextures();
    showGameLine();
    if (!textureError_.empty()) throw FileError(textureError_);
}

namespace {

// The set's palette colours side by side, as the picker shows them.
QIcon swatches(const std::vector<PaletteColour>& colours) {
    QPixmap picture(64, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int width = colours.empty() ? 0 : 64 / int(colours.size());
    for (size_t i = 0; i < colours.size(); ++i) {
        const QRect box(int(i) * width, 0, width - 2, 15);
        painter.fillRect(box, QColor(colours[i].r, colours[i].g, colours[i].b));
        painter.setPen(Qt::gray);
        painter.drawRect(box);
    }
    return QIcon(picture);
}

}  // namespace

void DffPage::chooseColours() {
    if (!clump_ || inGame_.colourSets.empty()) return;
    QStringList items;
    QList<QIcon> icons;
    for (size_t k = 0; k < inGame_.colourSets.size(); ++k) {
        QStringList numbers;
        for (uint8_t n : inGame_.colourSets[k]) numbers << QString::number(n);
        items << numbers.join(QStringLiteral(", "));
        icons << swatches(inGame_.setPaints[k]);
    }
    const std::optional<int> picked = prompts_.pickItem(
        QString::fromStdString(messages_.get(MsgColoursTitle)),
        QString::fromStdString(formatText(messages_.get(MsgColoursQuestion), {fromCp1251(modelName_).toStdString()})),
        items, int(inGame_.colourSet), icons);
    if (!picked || *picked < 0 || size_t(*picked) >= inGame_.colourSets.size()) return;
    inGame_.colourSet = size_t(*picked);
    paintModel();
    rebuildMeshes();
    showMissingTextures();
}

void DffPage::chooseExtra() {
    std::vector<size_t> rows;
    for (size_t i = 0; i < parts_.size(); ++i)
        if (isExtraCaption(parts_[i].caption)) rows.push_back(i);
    if (!clump_ || rows.empty()) return;
    const std::vector<bool> shown = gameViewRowsShown(parts_, pickedExtra_);
    QStringList items;
    int current = 0;
    for (size_t k = 0; k < rows.size(); ++k) {
        items << fromCp1251(parts_[rows[k]].caption);
        if (shown[rows[k]]) current = int(k);
    }
    const std::optional<int> picked = prompts_.pickItem(QString::fromStdString(messages_.get(MsgExtraTitle)),
                                                        QString::fromStdString(messages_.get(MsgExtraQuestion)), items,
                                                        current);
    if (!picked || *picked < 0 || size_t(*picked) >= rows.size()) return;
    pickedExtra_ = rows[size_t(*picked)];
    const QSignalBlocker block(list_);
    applyRowStarts();
    for (size_t i = 0; i < meshes_.size() && int(i) < list_->count(); ++i)
        for (scene::Mesh* m : meshes_[i]) m->setVisible(list_->item(int(i))->checkState() == Qt::Checked);
}

void DffPage::chooseDictionary() {
    if (!host_ || !clump_) return;
    const std::vector<std::string> names = host_->entryNames();
    const std::vector<size_t> dictionaries = dictionaryEntries(names);
    if (dictionaries.empty()) return;
    QStringList items;
    int current = 0;
    for (size_t k = 0; k < dictionaries.size(); ++k) {
        items << fromCp1251(names[dictionaries[k]]);
        if (names[dictionaries[k]] == dictionaryName_) current = int(k);
    }
    const std::optional<int> picked =
        prompts_.pickItem(QString::fromStdString(messages_.get(MsgDictionaryTitle)),
                          QString::fromStdString(formatText(messages_.get(MsgDictionaryQuestion), {fromCp1251(modelName_).toStdString()})),
                          items, current);
    if (!picked || *picked < 0 || size_t(*picked) >= dictionaries.size()) return;
    if (host_->archiveSerial() != choicesSerial_) {
        chosenDictionaries_.clear();
        choicesSerial_ = host_->archiveSerial();
    }
    chosenDictionaries_[asciiUpper(modelName_)] = names[dictionaries[size_t(*picked)]];
    loadTextures();
    rebuildMeshes();
    showMissingTextures();
    if (!textureError_.empty()) throw FileError(textureError_);
}

// --- export --------------------------------------------------------------------------------

void DffPage::exportModel() {
    if (!clump_ || archivePath_.empty()) return;
    QString proposed = fromCp1251(modelName_);
    if (const qsizetype dot = proposed.lastIndexOf(QLatin1Char('.')); dot > 0) proposed.truncate(dot);
    int filter = 1;
    const auto chosen = prompts_.pickSaveFile(exportFilter_->filter(), proposed + QStringLiteral(".glb"), &filter);
    if (!chosen || chosen->isEmpty()) return;
    QString path = *chosen;
    if (!hasExtension(path)) path += filter == 2 ? QStringLiteral(".gltf") : QStringLiteral(".glb");
    runCommand([&] {
        EntryReader entry = EntryReader::open(archivePath_, offset_, size_);
        const DffClump clump = ReadDffClump(entry);
        if (!clump.error.empty()) throw FileError(clump.error);
        // The textures the game look shows (or would show) for this model.
        const ModelTextures textures = texturesLoaded_ ? textures_
                                       : host_         ? readTextures()
                                                       : archiveTextures(clump, archivePath_, modelName_);
        // A car in the game's paint is exported in it; the game look as it is shown.
        const DffClump& painted = texturesLoaded_ && paintedClump_ ? *paintedClump_ : clump;
        if (gameView_) {
            std::vector<bool> shown(parts_.size());
            for (size_t i = 0; i < shown.size(); ++i) shown[i] = list_->item(int(i))->checkState() == Qt::Checked;
            WriteGltf(toPathBytes(path), clumpAsShown(painted, shown, inGame_.wheels), textures);
        } else {
            WriteGltf(toPathBytes(path), painted, textures);
        }
        if (textures.missing.empty()) return;
        prompts_.showMessage(QString::fromStdString(formatText(messages_.get(MsgMissingTextures), {joined(textures.missing).toStdString()})));
    });
}

// --- rows --------------------------------------------------------------------------------

void DffPage::rowChanged(QListWidgetItem* item) {
    const bool shown = item->checkState() == Qt::Checked;
    for (scene::Mesh* m : rowMeshes(list_->row(item))) m->setVisible(shown);
}

void DffPage::selectionChanged() {
    // Painting over the stored colours costs nothing at any model size, so a click never
    // rebuilds a part's arrays.
    const int selected = list_->selectedItems().isEmpty() ? -1 : list_->row(list_->selectedItems().first());
    const QColor paint = toColour(gameView_ ? kSelectedTint : kSelectedPartColour);
    for (size_t i = 0; i < meshes_.size(); ++i)
        for (scene::Mesh* m : meshes_[i]) {
            if (int(i) == selected) m->fillColour(paint);
            else m->clearFillColour();
        }
}

}  // namespace varmelo::gui
