#include "gui/preview/model/col_page.h"

#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/io/errors.h"
#include "core/model/col_reader.h"
#include "core/model/mesh_vertices.h"
#include "core/preview/entry_reader.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/model/model_camera.h"
#include "gui/preview/model/view_slot.h"
#include "gui/scene/core_vectors.h"
#include "gui/scene/scene.h"

namespace varmelo::gui {

namespace {

constexpr int kOffsetRole = Qt::UserRole;

}  // namespace

ColPage::ColPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<scene::CameraDriver> driver,
                 QWidget* parent)
    : PreviewPageFrame(PreviewPage::Col, "COL", messages, prompts, parent), scene_(new scene::Scene(this)) {
    info_ = new QLabel;
    info_->setObjectName("COLInfo");
    list_ = new QListWidget;
    list_->setObjectName("ListBox2");

    QWidget* panel = listPanel({info_}, list_);

    // The bounding shapes and the mesh stay for the page's life; only the collision spheres
    // and boxes come and go with the records.
    boundSphere_ = &scene_->addSphere();
    boundSphere_->setRadius(10);
    boundSphere_->setTessellation(12, 12);
    boundSphere_->setMaterial(scene::Material::redWireframe());
    boundBox_ = &scene_->addBox();
    boundBox_->setMaterial(scene::Material::redWireframe());
    mesh_ = &scene_->addMesh();
    mesh_->setVertexMode(scene::Mesh::VertexMode::PositionNormal);
    scene_->camera().setTarget(boundSphere_);

    QWidget* viewWidget = makeSceneView(*scene_, "Scene2", view_);
    if (view_) {
        view_->setBackground(Qt::white);
        view_->setTwoSidedLighting(true);
        view_->setAntialiasing(scene::SceneView::Antialiasing::Multisample2x);
        view_->setCameraDriver(std::make_shared<PressAndDragDriver>(std::move(driver)));
    }

    splitter_ = splitOverView("Splitter5", panel, viewWidget);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) runCommand([this, row] { showRecord(row); });
    });
}

ColPage::~ColPage() = default;

void ColPage::setAntialiasing(bool on) {
    if (view_) view_->setAntialiasing(on ? scene::SceneView::Antialiasing::Multisample2x
                                         : scene::SceneView::Antialiasing::None);
}

void ColPage::preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) {
    showHeader(name, kilobytes(size));
    archivePath_ = archivePath;
    entryOffset_ = offset;
    entrySize_ = size;

    EntryReader entry = EntryReader::open(archivePath, offset, size);
    const ColScan scan = ScanColRecords(entry);
    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const ColListing& r : scan.records) {
            auto* item = new QListWidgetItem(fromCp1251(r.name), list_);
            item->setData(kOffsetRole, QVariant::fromValue<qulonglong>(r.offset));
        }
    }
    info_->setText(QString::fromStdString(formatText(messages_.get(MsgObjects), {int64_t(list_->count())})));

    if (list_->count() > 0) {
        askForPage(PreviewPage::Col);
        {
            const QSignalBlocker block(list_);
            list_->setCurrentRow(0);
        }
        showRecord(0);
    }
    if (!scan.error.empty()) throw FileError(scan.error);
}

void ColPage::showRecord(int row) {
    QListWidgetItem* item = list_->item(row);
    if (!item) return;
    EntryReader entry = EntryReader::open(archivePath_, entryOffset_, entrySize_);
    const ColRecord record = ReadColRecord(entry, item->data(kOffsetRole).toULongLong());
    if (!record.error.empty()) throw FileError(record.error);
    if (record.version == 0) return;

    boundSphere_->setPosition(toQt(record.bound.centre));
    boundSphere_->setRadius(record.bound.radius);
    boundBox_->setPosition(toQt(record.box.centre()));
    boundBox_->setSize(toQt(record.box.size()));

    for (scene::SceneItem* s : shapes_) scene_->remove(s);
    shapes_.clear();
    for (const ColSphere& s : record.spheres) {
        scene::Sphere& sphere = scene_->addSphere();
        sphere.setPosition(toQt(s.centre));
        sphere.setRadius(s.radius);
        shapes_.push_back(&sphere);
    }
    for (const ColBox& b : record.boxes) {
        scene::Box& box = scene_->addBox();
        box.setPosition(toQt(b.centre()));
        box.setSize(toQt(b.size()));
        shapes_.push_back(&box);
    }

    const std::vector<MeshVertex> vertices = collisionMeshVertices(record);
    std::vector<float> positions, normals;
    positions.reserve(vertices.size() * 3);
    normals.reserve(vertices.size() * 3);
    for (const MeshVertex& v : vertices) {
        positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
        normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
    }
    mesh_->setTriangles(std::move(positions), std::move(normals));

    fitCameraToRadius(scene_->camera(), record.bound.radius);
}

}  // namespace varmelo::gui
