#include "PassWorld.h"

#include <cstdlib>

#include "assets/ResourcePack.h"
#include "resources/ProductStrings.h"

PassWorld::PassWorld()
{
    if (!rig.ready())
        return;
    rings.resolve(rig.host().glProcLoader());
    ResourcePack pack;
    if (!pack.open(IDR_RESOURCE_PACK))
        return;
    void* bytes = nullptr;
    size_t length = pack.extract("dispher.dat", &bytes);
    nightPlan.find(rig.host().glProcLoader(), textures().night);
    planet.setSecondUnit(nightPlan.multiTexCoord2f);
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
