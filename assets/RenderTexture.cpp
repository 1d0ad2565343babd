#include "assets/RenderTexture.h"

#include <GL/glext.h>

#include <new>

#include "assets/GlExtensionsWgl.h"

namespace {
const int32_t kColorBits = 32;
const int32_t kDepthBits = 24;
const int32_t kStencilBits = 8;
const int kFormatAttributes[] = {WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0};
const int kPbufferAttributes[] = {
    WGL_TEXTURE_FORMAT_ARB, WGL_TEXTURE_RGBA_ARB,
    WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB,
    0,
};
}

RenderTexture::RenderTexture() : surface_(new (std::nothrow) PbufferSurface) {}

RenderTexture::~RenderTexture() = default;

bool RenderTexture::findExtensions()
{
    WglEntryPoints::hasGenerateMipmap();
    WglEntryPoints::hasAnisotropic();
    GlExtensions& extensions = WglEntryPoints::extensions();
    if (!extensions.loadExtensionString())
        return false;
    const char* wglList = WglEntryPoints::wglExtensionString(wglGetCurrentDC());
    return extensions.checkPbuffer(wglList) && extensions.checkPixelFormat(wglList) &&
           extensions.checkRenderTexture(wglList);
}

void RenderTexture::setUpTexture()
{
    // A failed create that is retried keeps its texture name instead of leaking it.
    if (texture_ == 0)
        glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (WglEntryPoints::extensions().anisotropic()) {
        GLfloat maximum = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, maximum);
    }
}

int RenderTexture::create(int32_t width, int32_t height)
{
    if (ready_ || !surface_)
        return 0;
    windowDc_ = wglGetCurrentDC();
    windowContext_ = wglGetCurrentContext();
    if (!findExtensions())
        return 0;
    // Generated mipmaps would be rebuilt from the pbuffer on every bind.
    WglEntryPoints::extensions().clearGenerateMipmap();
    if (!surface_->create(width, height, kColorBits, kDepthBits, kStencilBits, kFormatAttributes,
                          kPbufferAttributes))
        return 0;
    setUpTexture();
    if (!loadContent())
        return 0;
    ready_ = 1;
    return 1;
}

int RenderTexture::release()
{
    ready_ = 0;
    if (surface_) {
        releaseBinding();
        surface_->release();
    }
    return 1;
}

void RenderTexture::bind()
{
    if (!ready_)
        return;
    glBindTexture(GL_TEXTURE_2D, texture_);
    // The colour buffer stays bound until releaseBinding; binding it again is an error.
    WglEntryPoints& wgl = WglEntryPoints::instance();
    if (!bound_ && wgl.bindTexImage && wgl.bindTexImage(surface_->pbuffer(), surface_->drawnBuffer()))
        bound_ = true;
}

void RenderTexture::releaseBinding()
{
    WglEntryPoints& wgl = WglEntryPoints::instance();
    if (bound_ && surface_ && wgl.releaseTexImage)
        wgl.releaseTexImage(surface_->pbuffer(), surface_->drawnBuffer());
    bound_ = false;
}

int RenderTexture::makeCurrent()
{
    return surface_ && surface_->makeCurrent() ? 1 : 0;
}

bool RenderTexture::makeWindowCurrent()
{
    return windowDc_ && windowContext_ && wglMakeCurrent(windowDc_, windowContext_);
}
