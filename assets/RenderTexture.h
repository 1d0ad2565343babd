#pragma once
#include <windows.h>

#include <GL/gl.h>

#include <cstdint>
#include <memory>

#include "assets/OffscreenTarget.h"
#include "assets/PbufferSurface.h"

// An off-screen target in a WGL pbuffer with a context of its own, whose colour
// buffer is bound as the texture's pixels. Create, bind and release run with the
// window's rendering context current; that context is remembered at creation so
// drawing can return to it.
class RenderTexture : public OffscreenTarget {
public:
    RenderTexture();
    RenderTexture(const RenderTexture&) = delete;
    RenderTexture& operator=(const RenderTexture&) = delete;
    ~RenderTexture() override;

    bool create(int width, int height) override;
    void release() override;
    bool isReady() const override { return ready_; }
    // Gives the colour buffer back to the pbuffer and makes the pbuffer's context current.
    bool beginDrawing() override;
    bool endDrawing() override { return makeWindowCurrent(); }
    // Binds the texture with the pbuffer's colour buffer as its pixels (only when ready).
    void bindTexture() override;
    int width() const override { return surface_ ? surface_->width() : 0; }
    int height() const override { return surface_ ? surface_->height() : 0; }

    // Makes the pbuffer's context current for drawing into it.
    bool makeCurrent();
    // Returns the colour buffer to the pbuffer before it is drawn into again.
    void releaseBinding();
    // Makes the context current again that was current when the texture was created.
    bool makeWindowCurrent();
    GLuint textureName() const { return texture_; }
    const PbufferSurface* surface() const { return surface_.get(); }

private:
    bool findExtensions();
    void setUpTexture();

    bool ready_ = false;
    std::unique_ptr<PbufferSurface> surface_;
    GLuint texture_ = 0;
    bool bound_ = false;
    HDC windowDc_ = nullptr;
    HGLRC windowContext_ = nullptr;
};
