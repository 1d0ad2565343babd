#pragma once
#include "scene/Vec3.h"

struct GLUquadric;

// The sun: light 0 at its position, light 1 opposite it for the planet's night passes,
// and its white disc, drawn without depth test so later geometry covers it.
class SunPass {
public:
    SunPass() = default;
    SunPass(const SunPass&) = delete;
    SunPass& operator=(const SunPass&) = delete;
    ~SunPass();

    // Called with the camera's view matrix current, so the lights stay fixed in the world.
    void draw(Vec3 sun, bool nightSide);

private:
    void drawDisc(Vec3 sun);

    GLUquadric* quadric_ = nullptr;  // made on first use, reused every frame
};
