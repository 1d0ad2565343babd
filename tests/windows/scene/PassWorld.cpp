#include "PassWorld.h"

#include <cstdlib>

#include "assets/ResourcePack.h"
#include "resources/ProductStrings.h"
#include "scene/PackMembers.h"

PassWorld::PassWorld()
{
    if (!rig.ready())
        return;
    TextureUnits units;
    units.find(rig.host().glProcLoader());
    ResourcePack pack;
    if (!pack.open(IDR_RESOURCE_PACK))
        return;
    void* bytes = nullptr;
    size_t length = pack.extract(PackMembers::shape, &bytes);
    nightPlan = rig.scene().nightPlan();
    nightPlan.useUnits(units);
    planet.setSecondUnit(nightPlan.units.multiTexCoord2f);
    if (length > 0) {
        planet.loadFromMemory(bytes, length);
        planetTriangles.loadFromMemory(bytes, length);
    }
    std::free(bytes);
    bytes = nullptr;
    length = pack.extract("stars.dat", &bytes);
    if (length > 0)
        stars.load(static_cast<const char*>(bytes), length, buffers);
    std::free(bytes);
    glGenTextures(1, &probeTexture);
}
