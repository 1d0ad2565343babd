#pragma once
#include "scene/SceneHost.h"

// The scene's pack, linked into the program at build time from the generator's output.
PackBytes embeddedPack();
