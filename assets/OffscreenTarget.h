#pragma once
#include <memory>

// The kinds of off-screen target the planet's surface can be composed into.
enum class SurfaceTargetKind { Framebuffer, Pbuffer };

// A colour target of its own that is drawn into off screen and then sampled as a
// texture in the window's context: a framebuffer object in the window's context,
// or a pbuffer with a context of its own.
class OffscreenTarget {
public:
    virtual ~OffscreenTarget() = default;

    // Runs with the window's context current and leaves it current.
    virtual bool create(int width, int height) = 0;
    // Frees what create made; safe on a target never created.
    virtual void release() = 0;
    virtual bool isReady() const = 0;

    // Directs drawing into the target until endDrawing (for a pbuffer, into its
    // own context, where textures made now also live).
    virtual bool beginDrawing() = 0;
    // Drawing goes to the window again, in the window's context.
    virtual bool endDrawing() = 0;
    // Binds what was drawn as the GL_TEXTURE_2D of the window's context.
    virtual void bindTexture() = 0;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // A target that draws into mip level `level` of this one's texture, not yet created;
    // null where this kind has no levels. This target must be created first and
    // outlive it; creating the level makes the texture read its levels, at each pixel
    // the one nearest the level of detail.
    virtual std::unique_ptr<OffscreenTarget> makeLevel(int) { return nullptr; }
    // How many samples the texture takes along its longer axis, as the driver filters it.
    virtual float anisotropy() const { return 1.0f; }
};
