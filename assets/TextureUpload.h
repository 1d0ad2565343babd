#pragma once
#include "assets/GlHeaders.h"

#include "assets/Image.h"

// How a picture is sampled: filtering, wrapping, and whether it has mipmaps.
// The profiles with alpha keep the picture's alpha; the others, colour only.
enum class UploadProfile {
    Sprite,
    SpriteClamped,
    Mipmapped,
    MipmappedClamped,
    SpriteWithAlpha,
    MipmappedWithAlpha,
};

// Makes a 2D texture of the image in the current context and leaves it bound.
// Returns the texture name, or 0 for an image without pixels or of an unknown depth.
GLuint uploadTexture(const Image& image, UploadProfile profile);
