#pragma once
#include "scene/Vec3.h"

// Where the touring camera stands and looks.
struct CameraPose {
    Vec3 eye;
    Vec3 centre;
    Vec3 up;
};

// The fly-in: extra distance after `elapsed` scene seconds since the clock started.
double flyInApproach(double elapsed);

// The tour at scene time T with the fly-in's extra distance.
CameraPose tourPose(double T, double approach);

// The tour's distance factor s, between 0.75 and 1.55.
double tourScale(double T);
