#include "gui/preview/model/dff_page.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/archive/open_archive.h"
#include "core/io/errors.h"
#include "core/model/dff_reader.h"
#include "core/model/gltf_export.h"
#include "core/model/mesh_vertices.h"
#include "core/model/model_dictionary.h"
#include "core/model/model_textures.h"
#include "core/preview/entry_reader.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "gui/app/prompts.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/model/model_camera.h"
#include "gui/preview/model/view_slot.h"
#include "gui/preview/texture/qt_image.h"
#include "gui/scene/scene.h"

namespace varmelo::gui {

namespace {

QColor toColour(const Rgba& c) { return QColor::fromRgbF(c.r, c.g, c.b, c.a); }

// The model's textures from the dictionary named like it in its archive; none when the
// archive holds none or cannot be read again (the export then says which are missing).
ModelTextures archiveTextures(const DffClump& clump, const std::string& archivePath, const std::string& name) {
    try {
        if (auto dictionary = openSameNamedDictionary(openArchive(archivePath), name))
            return LoadModelTextures(clump, *dictionary);
    } catch (const std::exception&) {
    }
    return NoModelTextures(clump);
}

}  // namespace

DffPage::DffPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<scene::CameraDriver> driver,
                 QWidget* parent)
    : PreviewPageFrame(PreviewPage::Dff, "DFF", messages, prompts, parent), scene_(new scene::Scene(this)) {
    info_ = new QLabel;
    info_->setObjectName("DFFInfo");
    status_ = new QLabel;
    status_->setObjectName("DFFStatus");
    status_->setVisible(false);
    list_ = new QListWidget;
    list_->setObjectName("CheckListBox1");

    QWidget* panel = listPanel({info_, status_}, list_);

    QWidget* viewWidget = makeSceneView(*scene_, "Scene1", view_);
    if (view_) {
        view_->setBackground(Qt::white);
        view_->setCameraDriver(std::move(driver));
    }

    splitter_ = splitOverView("Splitter4", panel, viewWidget);

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenuDFF");
    QAction* exportModel = menu_->addAction(QStringLiteral("Экспорт модели..."));
    exportModel->setObjectName("CtxExportModel");
    connect(exportModel, &QAction::triggered, this, &DffPage::exportModel);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(list_->viewport()->mapToGlobal(at)); });

    connect(list_, &QListWidget::itemChanged, this, &DffPage::rowChanged);
    connect(list_, &QListWidget::itemSelectionChanged, this, &DffPage::selectionChanged);
}

DffPage::~DffPage() = default;

scene::Mesh* DffPage::partMesh(int row) const {
    return row >= 0 && size_t(row) < meshes_.size() ? meshes_[size_t(row)] : nullptr;
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
    name_ = name;
    EntryReader entry = EntryReader::open(archivePath, offset, size);
    const DffClump clump = ReadDffClump(entry);
    const std::vector<DffPart> parts = dffParts(clump);

    for (scene::Mesh* m : meshes_)
        if (m) scene_->remove(m);
    meshes_.assign(parts.size(), nullptr);

    const QSignalBlocker block(list_);
    list_->clear();
    int native = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        auto* item = new QListWidgetItem(fromCp1251(parts[i].caption), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        if (parts[i].placed() && clump.geometries[size_t(parts[i].geometry)].nativeData()) {
            item->setToolTip(QString::fromStdString(messages_.get(MsgConsoleGeometry)));
            item->setForeground(Qt::gray);
            ++native;
        }

        const std::vector<ModelVertex> vertices = partVertices(clump, parts[i], false);
        if (vertices.empty()) continue;
        std::vector<float> positions, normals, colours;
        positions.reserve(vertices.size() * 3);
        normals.reserve(vertices.size() * 3);
        colours.reserve(vertices.size() * 4);
        for (const ModelVertex& v : vertices) {
            positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
            normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
            colours.insert(colours.end(), {v.colour.r, v.colour.g, v.colour.b, v.colour.a});
        }
        scene::Mesh& mesh = scene_->addMesh();
        mesh.setVertexMode(scene::Mesh::VertexMode::PositionNormalColour);
        mesh.setTriangles(std::move(positions), std::move(normals), std::move(colours));
        meshes_[i] = &mesh;
    }

    info_->setText(QString::fromStdString(formatText(
        messages_.get(MsgVertsPolys), {int64_t(clump.totalVertices), int64_t(clump.totalTriangles)})));
    status_->setText(native ? QString::fromStdString(formatText(messages_.get(MsgConsoleGeometryCount),
                                                                {int64_t(native), int64_t(parts.size())}))
                            : QString());
    status_->setVisible(native > 0);
    fitCameraToRadius(scene_->camera(), clump.largestRadius);

    if (!clump.error.empty()) throw FileError(clump.error);
}

void DffPage::exportModel() {
    if (archivePath_.empty()) return;
    QString proposed = fromCp1251(name_);
    if (const qsizetype dot = proposed.lastIndexOf(QLatin1Char('.')); dot > 0) proposed.truncate(dot);
    int filter = 1;
    const auto chosen = prompts_.pickSaveFile(QString::fromUtf8(kExportFilter), proposed + QStringLiteral(".glb"), &filter);
    if (!chosen || chosen->isEmpty()) return;
    QString path = *chosen;
    if (!hasExtension(path)) path += filter == 2 ? QStringLiteral(".gltf") : QStringLiteral(".glb");
    runCommand([&] {
        EntryReader entry = EntryReader::open(archivePath_, offset_, size_);
        const DffClump clump = ReadDffClump(entry);
        if (!clump.error.empty()) throw FileError(clump.error);
        const ModelTextures textures = archiveTextures(clump, archivePath_, name_);
        WriteGltf(toPathBytes(path), clump, textures);
        if (textures.missing.empty()) return;
        QStringList names;
        for (const std::string& n : textures.missing) names << fromCp1251(n);
        prompts_.showMessage(QStringLiteral("Нет текстур: ") + names.join(QStringLiteral(", ")));
    });
}

void DffPage::rowChanged(QListWidgetItem* item) {
    if (scene::Mesh* m = partMesh(list_->row(item))) m->setVisible(item->checkState() == Qt::Checked);
}

void DffPage::selectionChanged() {
    // Painting over the stored colours costs nothing at any model size, so a click never
    // rebuilds a vertex list.
    const int selected = list_->selectedItems().isEmpty() ? -1 : list_->row(list_->selectedItems().first());
    for (size_t i = 0; i < meshes_.size(); ++i) {
        if (!meshes_[i]) continue;
        if (int(i) == selected) meshes_[i]->fillColour(toColour(kSelectedPartColour));
        else meshes_[i]->clearFillColour();
    }
}

}  // namespace varmelo::gui
