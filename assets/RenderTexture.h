#pragma once
#include <windows.h>

#include <GL/gl.h>

#include <cstdint>
#include <memory>

#include "assets/PbufferSurface.h"

// A texture whose pixels are drawn into an off-screen pbuffer and sampled from
// there. Create, bind and release run with the window's rendering context current;
// that context is remembered at creation so drawing can return to it.
class RenderTexture {
public:
    RenderTexture();
    RenderTexture(const RenderTexture&) = delete;
    RenderTexture& operator=(const RenderTexture&) = delete;
    virtual ~RenderTexture();

    virtual int create(int32_t width, int32_t height);
    virtual int release();
    // Binds the texture with the pbuffer's colour buffer as its pixels (only when ready).
    virtual void bind();
    // Makes the pbuffer's context current for drawing into it.
    virtual int makeCurrent();
    virtual int isReady() const { return ready_; }
    // Fills the texture's pbuffer once after creation; a plain render texture has no content.
    virtual int loadContent() { return 0; }

    // Returns the colour buffer to the pbuffer before it is drawn into again.
    void releaseBinding();
    // Makes the context current again that was current when the texture was created.
    bool makeWindowCurrent();
    GLuint textureName() const { return texture_; }
    const PbufferSurface* surface() const { return surface_.get(); }

private:
    bool findExtensions();
    void setUpTexture();

    int ready_ = 0;
    std::unique_ptr<PbufferSurface> surface_;
    GLuint texture_ = 0;
    bool bound_ = false;
    HDC windowDc_ = nullptr;
    HGLRC windowContext_ = nullptr;
};
