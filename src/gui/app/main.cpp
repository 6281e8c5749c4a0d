// Varmelo: the program entry.
#include <QApplication>
#include <QSurfaceFormat>
#include <QTableView>
#include <QTimer>
#include <cstdio>

#include "gui/app/core_app_settings.h"
#include "gui/app/main_window.h"
#include "gui/app/program_icon.h"
#include "gui/app/qt_prompts.h"
#include "gui/scene/scene_view.h"

namespace {

// The 3D views draw with GLSL 1.20 programs on a 2.1 compatibility context; the format must
// be set before the application object exists, or the first GL widget gets a core profile
// that draws nothing.
void setDefaultSurfaceFormat() { QSurfaceFormat::setDefaultFormat(varmelo::gui::scene::SceneView::surfaceFormat()); }

// VARMELO_SCREENSHOT=out.png: once the window is up and the command line's archive is
// loaded, the window saves a picture of itself and the program ends. Used by
// scripts/screenshot.sh to look at the program without a desktop.
void scheduleScreenshot(QWidget& window) {
    const QString path = qEnvironmentVariable("VARMELO_SCREENSHOT");
    if (path.isEmpty()) return;
    bool ok = false;
    int delay = qEnvironmentVariableIntValue("VARMELO_SCREENSHOT_DELAY", &ok);
    if (!ok || delay < 0) delay = 1500;
    // VARMELO_SCREENSHOT_ROW=n selects list row n first, so the picture shows its preview.
    const int row = qEnvironmentVariableIntValue("VARMELO_SCREENSHOT_ROW", &ok);
    if (ok && row >= 0) {
        QTimer::singleShot(delay / 2, &window, [&window, row] {
            if (auto* list = window.findChild<QTableView*>(QStringLiteral("List1"))) list->selectRow(row);
        });
    }
    QTimer::singleShot(delay, &window, [&window, path] {
        const bool saved = window.grab().save(path, "PNG");
        if (!saved) std::fprintf(stderr, "varmelo: cannot write %s\n", qPrintable(path));
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int main(int argc, char** argv) {
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varmelo"));
    // The desktop entry's name lets a Wayland desktop match the window to the entry's icon.
    QApplication::setDesktopFileName(QStringLiteral("varmelo"));
    QApplication::setWindowIcon(varmelo::gui::programIcon());

    varmelo::gui::CoreAppSettings settings(varmelo::gui::CoreAppSettings::processPlaces());
    varmelo::gui::QtPrompts prompts;
    varmelo::gui::MainWindow window(settings, prompts, QApplication::arguments());
    prompts.setParent(&window);
    window.show();
    scheduleScreenshot(window);
    return app.exec();
}
