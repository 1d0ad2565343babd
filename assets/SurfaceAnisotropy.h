#pragma once

// Anisotropy of the composed surface texture. Software rasterizers filter an
// unmipmapped texture anisotropically at over a second a frame, so they get plain
// linear filtering; hardware gets the driver's maximum.
//   renderer: the GL_RENDERER string (null without a context).
float surfaceAnisotropy(const char* renderer, float driverMaximum);

// True when the GL_RENDERER string names a software rasterizer.
bool isSoftwareRenderer(const char* renderer);
