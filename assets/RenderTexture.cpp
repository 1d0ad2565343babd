#include "assets/RenderTexture.h"

#include <new>

#include "assets/GlExtensionsWgl.h"
#include "assets/SurfaceSampling.h"

namespace {
const int32_t kColorBits = 32;
const int32_t kDepthBits = 24;
const int32_t kStencilBits = 8;
const int kFormatAttributes[] = {WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0};
const int kPbufferAttributes[] = {
    WGL_TEXTURE_FORMAT_ARB, WGL_TEXTURE_RGBA_ARB, WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB, 0,
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
    setSurfaceSampling();
}

bool RenderTexture::create(int width, int height)
{
    if (ready_ || !surface_)
        return false;
    windowDc_ = wglGetCurrentDC();
    windowContext_ = wglGetCurrentContext();
    if (!findExtensions())
        return false;
    // Generated mipmaps would be rebuilt from the pbuffer on every bind.
    WglEntryPoints::extensions().clearGenerateMipmap();
    if (!surface_->create(width, height, kColorBits, kDepthBits, kStencilBits, kFormatAttributes, kPbufferAttributes))
        return false;
    setUpTexture();
    ready_ = true;
    return true;
}

// The texture name lives in the window's context, current here.
void RenderTexture::release()
{
    ready_ = false;
    if (surface_) {
        releaseBinding();
        surface_->release();
    }
    if (texture_ != 0)
        glDeleteTextures(1, &texture_);
    texture_ = 0;
}

bool RenderTexture::beginDrawing()
{
    if (!ready_)
        return false;
    releaseBinding();
    return makeCurrent();
}

void RenderTexture::bindTexture()
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

bool RenderTexture::makeCurrent()
{
    return surface_ && surface_->makeCurrent();
}

bool RenderTexture::makeWindowCurrent()
{
    return windowDc_ && windowContext_ && wglMakeCurrent(windowDc_, windowContext_);
}
