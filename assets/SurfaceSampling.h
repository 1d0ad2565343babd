#pragma once

// Sets the sampling of a composed surface on the bound GL_TEXTURE_2D: linear,
// repeating, and anisotropic as far as the renderer affords it. Returns the samples
// along the longer axis it allowed: 1 without anisotropy.
float setSurfaceSampling();

// The level of detail a mipmapped surface is sampled at is raised by half a level, and
// each pixel reads the one level nearest it: the level that trilinear filtering with
// this bias would weigh most, read at half the texel fetches of trilinear filtering.
constexpr float surfaceLevelBias = 0.5f;
