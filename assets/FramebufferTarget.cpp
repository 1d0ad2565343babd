#include "assets/FramebufferTarget.h"

#include <new>
#include <string>

#include "assets/GlExtensions.h"
#include "assets/SurfaceSampling.h"

namespace {
// The core names and the EXT names share their tokens' values.
const GLenum kFramebuffer = 0x8D40;  // GL_FRAMEBUFFER
const GLenum kFramebufferBinding = 0x8CA6;  // GL_FRAMEBUFFER_BINDING
const GLenum kColorAttachment0 = 0x8CE0;  // GL_COLOR_ATTACHMENT0
const GLenum kFramebufferComplete = 0x8CD5;  // GL_FRAMEBUFFER_COMPLETE
const GLenum kTextureMaxLevel = 0x813D;  // GL_TEXTURE_MAX_LEVEL, version 1.2
const GLenum kTextureLodBias = 0x8501;  // GL_TEXTURE_LOD_BIAS, version 1.4

struct EntryNames {
    const char* extension;
    const char* suffix;
};
const EntryNames kFlavours[] = {
    {"GL_ARB_framebuffer_object", ""},
    {"GL_EXT_framebuffer_object", "EXT"},
};

template <class Pointer> bool load(GlProcLoader loader, Pointer& pointer, const char* name, const char* suffix)
{
    pointer = reinterpret_cast<Pointer>(loader((std::string(name) + suffix).c_str()));
    return pointer != nullptr;
}
}

FramebufferTarget::~FramebufferTarget() = default;

bool FramebufferTarget::resolve()
{
    if (loader_ == nullptr)
        return false;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    for (const EntryNames& flavour : kFlavours) {
        if (!GlExtensions::listContains(extensions, flavour.extension))
            continue;
        const char* s = flavour.suffix;
        if (load(loader_, gl_.genFramebuffers, "glGenFramebuffers", s) &&
            load(loader_, gl_.deleteFramebuffers, "glDeleteFramebuffers", s) &&
            load(loader_, gl_.bindFramebuffer, "glBindFramebuffer", s) &&
            load(loader_, gl_.framebufferTexture2D, "glFramebufferTexture2D", s) &&
            load(loader_, gl_.checkFramebufferStatus, "glCheckFramebufferStatus", s))
            return true;
    }
    gl_ = EntryPoints();
    return false;
}

std::unique_ptr<OffscreenTarget> FramebufferTarget::makeLevel(int level)
{
    return std::unique_ptr<OffscreenTarget>(new (std::nothrow) FramebufferTarget(loader_, *this, level));
}

// Its own texture, or its level of the base's, which from then on samples its levels
// down to this one, each pixel at the level nearest its level of detail raised by the
// surface's bias; the texture binding is given back.
bool FramebufferTarget::makeTexture()
{
    if (base_ != nullptr && (!base_->isReady() || level_ <= 0))
        return false;
    GLint previousTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    if (base_ == nullptr) {
        glGenTextures(1, &texture_);
        glBindTexture(GL_TEXTURE_2D, texture_);
        anisotropy_ = setSurfaceSampling();
    } else {
        texture_ = base_->texture_;
        anisotropy_ = base_->anisotropy_;
        glBindTexture(GL_TEXTURE_2D, texture_);
        glTexParameteri(GL_TEXTURE_2D, kTextureMaxLevel, level_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        glTexParameterf(GL_TEXTURE_2D, kTextureLodBias, surfaceLevelBias);  // an error where the driver lacks it
    }
    glTexImage2D(GL_TEXTURE_2D, level_, GL_RGBA8, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
    return true;
}

// Restores the framebuffer it found.
bool FramebufferTarget::attachTexture()
{
    if (!makeTexture())
        return false;
    glGetIntegerv(kFramebufferBinding, &previousFramebuffer_);
    gl_.genFramebuffers(1, &framebuffer_);
    gl_.bindFramebuffer(kFramebuffer, framebuffer_);
    gl_.framebufferTexture2D(kFramebuffer, kColorAttachment0, GL_TEXTURE_2D, texture_, level_);
    const bool complete = gl_.checkFramebufferStatus(kFramebuffer) == kFramebufferComplete;
    if (complete) {
        // Cleared once now, so its memory is taken at start and not the first time
        // the tour needs this target; the clearing state is given back.
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glPopAttrib();
    }
    gl_.bindFramebuffer(kFramebuffer, static_cast<GLuint>(previousFramebuffer_));
    return complete && glGetError() == GL_NO_ERROR;
}

bool FramebufferTarget::create(int width, int height)
{
    if (isReady() || width <= 0 || height <= 0 || !resolve())
        return false;
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
        // earlier errors are not this creation's
    }
    width_ = width;
    height_ = height;
    if (attachTexture())
        return true;
    release();
    if (base_ != nullptr && base_->isReady())
        giveBackLevel();
    return false;
}

// The base's texture samples only the levels above this one again, so that it stays
// complete; the texture binding is given back.
void FramebufferTarget::giveBackLevel()
{
    GLint previousTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    glBindTexture(GL_TEXTURE_2D, base_->texture_);
    glTexParameteri(GL_TEXTURE_2D, kTextureMaxLevel, level_ - 1);
    if (level_ == 1)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
}

void FramebufferTarget::release()
{
    // Without a current context the objects are already gone with the window's.
    const bool contextCurrent = glGetString(GL_VERSION) != nullptr;
    if (contextCurrent && framebuffer_ != 0 && gl_.deleteFramebuffers)
        gl_.deleteFramebuffers(1, &framebuffer_);
    if (contextCurrent && texture_ != 0 && base_ == nullptr)
        glDeleteTextures(1, &texture_);
    framebuffer_ = 0;
    texture_ = 0;
}

bool FramebufferTarget::beginDrawing()
{
    if (!isReady())
        return false;
    glGetIntegerv(kFramebufferBinding, &previousFramebuffer_);
    gl_.bindFramebuffer(kFramebuffer, framebuffer_);
    return true;
}

bool FramebufferTarget::endDrawing()
{
    if (!isReady())
        return false;
    gl_.bindFramebuffer(kFramebuffer, static_cast<GLuint>(previousFramebuffer_));
    return true;
}

void FramebufferTarget::bindTexture()
{
    if (isReady())
        glBindTexture(GL_TEXTURE_2D, texture_);
}
