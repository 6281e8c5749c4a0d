#pragma once
// The point light of a scene, shining in all directions. Its position is in world units, so it stays put while the
// camera orbits.
#include <QVector3D>

#include "gui/scene/material.h"

namespace varmelo::gui::scene {

struct Light {
    bool enabled = true;
    QVector3D position{70.0f, 50.0f, 30.0f};
    Rgba ambient{0.3f, 0.3f, 0.3f, 1.0f};
    Rgba diffuse{0.7f, 0.7f, 0.7f, 1.0f};
    Rgba specular{1.0f, 1.0f, 1.0f, 1.0f};
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
};

}  // namespace varmelo::gui::scene
