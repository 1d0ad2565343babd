#pragma once

// Sets the sampling of a composed surface on the bound GL_TEXTURE_2D: linear,
// repeating, and anisotropic as far as the renderer affords it.
void setSurfaceSampling();
