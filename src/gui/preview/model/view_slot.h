#pragma once
// The 3D view of a model page, or a plain widget in its place on platforms without GL.
#include <QWidget>

#include "gui/scene/scene_view.h"

namespace varmelo::gui {

// `view` is set to the new view, or to null when a placeholder was made instead; either way
// the returned widget carries `objectName`.
inline QWidget* makeSceneView(scene::Scene& scene, const char* objectName, scene::SceneView*& view) {
    QWidget* w = nullptr;
    if (scene::SceneView::glAvailable()) {
        view = new scene::SceneView(scene);
        w = view;
    } else {
        view = nullptr;
        w = new QWidget;
        w->setAutoFillBackground(true);
        QPalette p = w->palette();
        p.setColor(QPalette::Window, Qt::white);
        w->setPalette(p);
    }
    w->setObjectName(QString::fromLatin1(objectName));
    w->setMinimumHeight(40);
    return w;
}

}  // namespace varmelo::gui
