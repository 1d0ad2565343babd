#pragma once

// Sets the sampling of a composed surface on the bound GL_TEXTURE_2D: linear,
// repeating, and anisotropic as far as the renderer affords it. Returns the samples
// along the longer axis it allowed: 1 without anisotropy.
float setSurfaceSampling();

// The level of detail a mipmapped surface is sampled at is raised by half a level: a
// texel of the finest level read spans up to the square root of 2 pixels, as sharp as
// the single level of a surface without mipmaps was chosen to be.
constexpr float surfaceLevelBias = 0.5f;
