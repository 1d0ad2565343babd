#pragma once
#include "scene/Vec3.h"

// The viewer: placed at (1, 1, 1) looking at the origin until the tour moves it.
class Camera {
public:
    // Loads the view onto the model-view matrix (gluLookAt).
    void apply() const;

    Vec3 eye{1.0, 1.0, 1.0};
    Vec3 centre{0.0, 0.0, 0.0};
    Vec3 up{0.0, 1.0, 0.0};
};
