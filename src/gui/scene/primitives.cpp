#include "gui/scene/primitives.h"

#include <algorithm>
#include <cmath>

namespace varmelo::gui::scene {

void Sphere::setRadius(float r) {
    radius_ = r;
    changed();
}

void Sphere::setTessellation(int slices, int stacks) {
    slices_ = std::max(3, slices);
    stacks_ = std::max(2, stacks);
    changed();
}

bool Sphere::localBounds(QVector3D& centre, float& radius) const {
    centre = {0, 0, 0};
    radius = std::fabs(radius_);
    return true;
}

void Box::setSize(const QVector3D& size) {
    size_ = size;
    changed();
}

bool Box::localBounds(QVector3D& centre, float& radius) const {
    centre = {0, 0, 0};
    radius = QVector3D(std::fabs(size_.x()), std::fabs(size_.y()), std::fabs(size_.z())).length() / 2;
    return true;
}

}  // namespace varmelo::gui::scene
