#include "scene/NightPlan.h"

#include "scene/PlanetMath.h"

void NightPlan::readPicture(const Image& night)
{
    quietLatitude = night.bitsPerPixel == 24 ? quietLatitudeOf(night.pixels, night.width, night.height) : 0.0;
}
