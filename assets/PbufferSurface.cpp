#include "assets/PbufferSurface.h"

#include "assets/GlExtensionsWgl.h"

namespace {
const int32_t kColorBitsWithAlpha = 32;
const int kAlphaBits = 8;
}

std::vector<int> PbufferSurface::formatAttributes(int32_t colorBits, int32_t depthBits, int32_t stencilBits,
                                                  const int* extraFormatAttributes)
{
    const int alphaBits = colorBits == kColorBitsWithAlpha ? kAlphaBits : 0;
    std::vector<int> list = {
        WGL_DRAW_TO_PBUFFER_ARB, 1,         WGL_COLOR_BITS_ARB,   colorBits,   WGL_ALPHA_BITS_ARB, alphaBits,
        WGL_DEPTH_BITS_ARB,      depthBits, WGL_STENCIL_BITS_ARB, stencilBits,
    };
    // Some drivers (Wine's among them) kill the process at the first flush of a
    // single-buffered pbuffer with alpha; a double-buffered one works everywhere.
    if (alphaBits != 0)
        list.insert(list.end(), {WGL_DOUBLE_BUFFER_ARB, 1});
    for (const int* pair = extraFormatAttributes; pair && pair[0] != 0; pair += 2)
        list.insert(list.end(), {pair[0], pair[1]});
    list.push_back(0);
    return list;
}

bool PbufferSurface::choosePixelFormat(HDC dc, const int* extraFormatAttributes, int& format)
{
    WglEntryPoints& wgl = WglEntryPoints::instance();
    if (!wgl.choosePixelFormat)
        return false;
    const std::vector<int> attributes = formatAttributes(colorBits_, depthBits_, stencilBits_, extraFormatAttributes);
    const float noFloatAttributes[] = {0.0f, 0.0f};
    UINT count = 0;
    // A true result with no format leaves the index unset: that is a failure too.
    if (!wgl.choosePixelFormat(dc, attributes.data(), noFloatAttributes, 1, &format, &count) || count == 0)
        return false;
    int doubleBuffer = 0;
    const int query = WGL_DOUBLE_BUFFER_ARB;
    doubleBuffered_ = wgl.getPixelFormatAttribiv &&
                      wgl.getPixelFormatAttribiv(dc, format, 0, 1, &query, &doubleBuffer) && doubleBuffer != 0;
    return true;
}

bool PbufferSurface::create(int32_t width, int32_t height, int32_t colorBits, int32_t depthBits, int32_t stencilBits,
                            const int* extraFormatAttributes, const int* pbufferAttributes)
{
    const GlExtensions& extensions = WglEntryPoints::extensions();
    if (!extensions.extensionString() || !extensions.pixelFormat() || !extensions.pbuffer())
        return false;
    release();  // a second create must not leak the first pbuffer
    width_ = width;
    height_ = height;
    colorBits_ = colorBits;
    depthBits_ = depthBits;
    stencilBits_ = stencilBits;
    HDC windowDc = wglGetCurrentDC();
    int format = 0;
    if (!windowDc || !choosePixelFormat(windowDc, extraFormatAttributes, format))
        return false;
    WglEntryPoints& wgl = WglEntryPoints::instance();
    if (!wgl.createPbuffer || !wgl.getPbufferDC || !wgl.queryPbuffer)
        return false;
    const int noAttributes[] = {0};
    pbuffer_ = wgl.createPbuffer(windowDc, format, width, height, pbufferAttributes ? pbufferAttributes : noAttributes);
    if (!pbuffer_)
        return false;
    dc_ = wgl.getPbufferDC(pbuffer_);
    if (!dc_)
        return false;
    context_ = wglCreateContext(dc_);
    if (!context_)
        return false;
    wgl.queryPbuffer(pbuffer_, WGL_PBUFFER_WIDTH_ARB, &width_);
    wgl.queryPbuffer(pbuffer_, WGL_PBUFFER_HEIGHT_ARB, &height_);
    return true;
}

void PbufferSurface::release()
{
    WglEntryPoints& wgl = WglEntryPoints::instance();
    if (context_) {
        if (wglGetCurrentContext() == context_)
            wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context_);
        context_ = nullptr;
    }
    if (dc_ && wgl.releasePbufferDC)
        wgl.releasePbufferDC(pbuffer_, dc_);
    dc_ = nullptr;
    if (pbuffer_ && wgl.destroyPbuffer)
        wgl.destroyPbuffer(pbuffer_);
    pbuffer_ = nullptr;
    doubleBuffered_ = false;
}

bool PbufferSurface::makeCurrent()
{
    return dc_ && context_ && wglMakeCurrent(dc_, context_);
}
