// Selecting a model row until its picture is on the screen: the page reads the entry, builds
// the parts' meshes, and the view draws its first frame (frameSwapped). For the sample's car
// and for a vehicle of real size (about 2 MB: 14 parts with stored normals and textured
// materials, as detailed modded cars are). Reported, no target yet. Needs an X server with GL,
// as the rest of varmelo_scene_bench.
#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <memory>
#include <string>

#include "core/io/binary_file.h"
#include "core/settings/messages.h"
#include "gui/app/prompts.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/model/model_camera.h"
#include "gui/scene/scene.h"
#include "gui/scene/scene_view.h"
#include "support/demo_vehicle.h"
#include "support/dff_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace varmelo::gui;

namespace {

// No dialog is ever wanted here.
class SilentPrompts : public Prompts {
public:
    Answer askYesNo(const QString&, const QString&, Icon) override { return Answer::No; }
    Answer askYesNoCancel(const QString&, const QString&, Icon) override { return Answer::Cancel; }
    void showError(const QString&) override {}
    void showMessage(const QString&) override {}
    std::optional<QString> pickOpenFile(const QString&) override { return std::nullopt; }
    QStringList pickOpenFiles(const QString&) override { return {}; }
    std::optional<QString> pickSaveFile(const QString&, const QString&, int*) override { return std::nullopt; }
    std::optional<QString> pickFolder(const QString&) override { return std::nullopt; }
    std::optional<int> pickItem(const QString&, const QString&, const QStringList&, int) override { return std::nullopt; }
};

// A grid of side x side vertices with stored normals, texture coordinates and two textured
// materials: a body panel of a detailed car.
testing_support::DffGeometryPlan panel(int side, float lift) {
    testing_support::DffGeometryPlan g;
    g.flags = 0x04 | 0x10 | 0x20;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            g.positions.push_back({float(x) * 0.05f, float(y) * 0.05f, lift + float((x * y) % 5) * 0.01f});
            g.normals.push_back({0, 0, 1});
            g.texCoords.push_back({float(x) / float(side), float(y) / float(side)});
        }
    for (int y = 0; y + 1 < side; ++y)
        for (int x = 0; x + 1 < side; ++x) {
            const auto v = [&](int dx, int dy) { return uint16_t((y + dy) * side + x + dx); };
            const uint16_t m = uint16_t((x / 8 + y / 8) % 2);
            g.triangles.push_back(testing_support::dffTriangle(v(0, 0), v(1, 0), v(1, 1), m));
            g.triangles.push_back(testing_support::dffTriangle(v(0, 0), v(1, 1), v(0, 1), m));
        }
    testing_support::DffMaterialPlan paint, chrome;
    paint.texture = "body";
    chrome.texture = "chrome";
    g.materials = {paint, chrome};
    g.radius = float(side) * 0.05f;
    return g;
}

std::vector<uint8_t> realSizeVehicle() {
    testing_support::DffBuilder b;
    const int root = b.frame("car");
    for (int i = 0; i < 14; ++i) {
        testing_support::DffFramePlan f;
        f.name = "part" + std::to_string(i) + "_hi_ok";
        f.parent = root;
        f.position = {float(i % 4), float(i / 4), 0};
        b.atomic(b.frame(f), b.geometry(panel(55, float(i) * 0.1f)));
    }
    return b.build();
}

void selectUntilDrawn(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    testing_support::TempDir dir;
    const std::string path = dir.file("model.dff");
    BinaryFile f = BinaryFile::create(path);
    f.write(bytes.data(), bytes.size());
    f.close();
    MessageTable messages;
    SilentPrompts prompts;
    DffPage page(messages, prompts, std::make_shared<ModelCameraDriver>());
    page.setShowPage([](PreviewPage) {});
    page.resize(640, 480);
    page.show();
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();
    for (auto _ : state) {
        QEventLoop drawn;
        const auto done = QObject::connect(page.view(), &QOpenGLWidget::frameSwapped, &drawn, &QEventLoop::quit);
        QTimer::singleShot(10000, &drawn, &QEventLoop::quit);  // never hang on a driver that draws nothing
        page.preview(path, 0, bytes.size(), "model.dff");
        drawn.exec();
        QObject::disconnect(done);
    }
    state.counters["bytes"] = double(bytes.size());
}

void BM_SelectModelRow(benchmark::State& state) {
    static const std::vector<uint8_t> car = testing_support::demoVehicle();
    static const std::vector<uint8_t> big = realSizeVehicle();
    selectUntilDrawn(state, state.range(0) == 0 ? car : big);
}
BENCHMARK(BM_SelectModelRow)->Arg(0)->Arg(1)->ArgName("real_size")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
