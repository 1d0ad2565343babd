#include "assets/TextureUpload.h"

#if defined(_WIN32) && !defined(CALLBACK)
#define CALLBACK __stdcall
#endif
#include <GL/glu.h>

namespace {
struct ProfileParameters {
    UploadProfile profile;
    GLint minFilter;
    GLint wrap;
    bool mipmapped;
    GLint internalFormat;
};

const ProfileParameters profiles[] = {
    {UploadProfile::Sprite, GL_LINEAR, GL_REPEAT, false, 3},
    {UploadProfile::SpriteClamped, GL_LINEAR, GL_CLAMP, false, 3},
    {UploadProfile::Mipmapped, GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT, true, 3},
    {UploadProfile::MipmappedClamped, GL_LINEAR_MIPMAP_LINEAR, GL_CLAMP, true, 3},
    {UploadProfile::SpriteWithAlpha, GL_LINEAR, GL_REPEAT, false, 4},
    {UploadProfile::MipmappedWithAlpha, GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT, true, 4},
};

const ProfileParameters& parametersOf(UploadProfile profile)
{
    for (const ProfileParameters& parameters : profiles) {
        if (parameters.profile == profile)
            return parameters;
    }
    return profiles[0];
}

bool uploadable(const Image& image)
{
    return image.pixels && image.width > 0 && image.height > 0 &&
           (image.bitsPerPixel == 24 || image.bitsPerPixel == 32);
}
}

GLuint uploadTexture(const Image& image, UploadProfile profile)
{
    if (!uploadable(image))
        return 0;
    const ProfileParameters& parameters = parametersOf(profile);
    // Decoded rows are tightly packed; GL's default 4-byte row alignment would read past them.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = image.bitsPerPixel == 32 ? GL_RGBA : GL_RGB;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, parameters.minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, parameters.wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, parameters.wrap);
    if (parameters.mipmapped)
        gluBuild2DMipmaps(GL_TEXTURE_2D, parameters.internalFormat, image.width, image.height, format, GL_UNSIGNED_BYTE,
                          image.pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, parameters.internalFormat, image.width, image.height, 0, format,
                     GL_UNSIGNED_BYTE, image.pixels);
    return name;
}
