#pragma once
#include "assets/GlHeaders.h"
#include "assets/GlProcLoader.h"
#include "assets/OffscreenTarget.h"

// An off-screen target in the window's own context: a texture attached to a
// framebuffer object. Drawing into it needs no context switch and no copy.
class FramebufferTarget : public OffscreenTarget {
public:
    explicit FramebufferTarget(GlProcLoader loader) : loader_(loader) {}
    // Draws into mip level `level` of base's texture, which stays base's.
    FramebufferTarget(GlProcLoader loader, const FramebufferTarget& base, int level)
        : loader_(loader), base_(&base), level_(level)
    {
    }
    ~FramebufferTarget() override;

    // Fails without GL_ARB_framebuffer_object or GL_EXT_framebuffer_object, or when
    // the driver cannot complete a framebuffer of that size.
    bool create(int width, int height) override;
    void release() override;
    bool isReady() const override { return framebuffer_ != 0; }
    bool beginDrawing() override;
    bool endDrawing() override;
    void bindTexture() override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    std::unique_ptr<OffscreenTarget> makeLevel(int level) override;
    float anisotropy() const override { return anisotropy_; }
    GLuint textureName() const { return texture_; }

    // The framebuffer entry points, core or EXT names alike.
    struct EntryPoints {
        void(APIENTRY* genFramebuffers)(GLsizei, GLuint*) = nullptr;
        void(APIENTRY* deleteFramebuffers)(GLsizei, const GLuint*) = nullptr;
        void(APIENTRY* bindFramebuffer)(GLenum, GLuint) = nullptr;
        void(APIENTRY* framebufferTexture2D)(GLenum, GLenum, GLenum, GLuint, GLint) = nullptr;
        GLenum(APIENTRY* checkFramebufferStatus)(GLenum) = nullptr;
    };

private:
    bool resolve();
    bool makeTexture();
    bool attachTexture();
    void giveBackLevel();

    GlProcLoader loader_;
    EntryPoints gl_;
    GLuint framebuffer_ = 0;
    const FramebufferTarget* base_ = nullptr;
    int level_ = 0;
    GLuint texture_ = 0;
    float anisotropy_ = 1.0f;
    GLint previousFramebuffer_ = 0;
    int width_ = 0;
    int height_ = 0;
};
