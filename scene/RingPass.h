#pragma once
#include "scene/SceneTextures.h"

// The ring square in the equatorial plane: the mask darkens what lies behind, the
// picture adds a tenth of its brightness.
void drawRings(const SceneTextures& textures);
