#pragma once
#include "scene/ShapeMesh.h"

// The planet's sphere: drawn turned, with its texture shifted back by the same turn.
class PlanetMesh : public ShapeMesh {
public:
    // Turns the triangles, their normals and the seam under a picture that stays put.
    virtual int drawRotated(double turns);
};
