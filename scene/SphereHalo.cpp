#include "scene/SphereHalo.h"

#include <algorithm>
#include <cmath>

#include "assets/GlHeaders.h"
#include "scene/Angles.h"
#include "scene/Annulus.h"
#include "scene/PlanetMath.h"

namespace {

// Lighting, blending, depth test and culling; the sprite's colour and the material
// that follows it.
constexpr GLbitfield kHaloState = GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT;
// The glows' blend function and bound textures.
constexpr GLbitfield kRimGlowState = GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;

// The current matrices and viewport, for projecting and unprojecting.
struct ViewState {
    GLdouble modelView[16];
    GLdouble projection[16];
    GLint viewport[4];

    ViewState()
    {
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    bool project(Vec3 p, Vec3& window) const
    {
        return gluProject(p.x, p.y, p.z, modelView, projection, viewport, &window.x, &window.y, &window.z) == GL_TRUE;
    }
    bool unproject(Vec3 window, Vec3& p) const
    {
        return gluUnProject(window.x, window.y, window.z, modelView, projection, viewport, &p.x, &p.y, &p.z) == GL_TRUE;
    }
};

// Turns local +z toward w (a unit vector).
void faceAlong(Vec3 w)
{
    const double angle = std::acos(std::clamp(w.z, -1.0, 1.0)) * degreesPerRadian;
    if (std::hypot(w.x, w.y) > 1e-12)
        glRotated(angle, -w.y, w.x, 0.0);
    else if (w.z < 0.0)
        glRotated(180.0, 1.0, 0.0, 0.0);  // looking straight down the axis
}

// The sprite over a band alone, turned so its texture matches the whole quad's.
void haloBand(double h, double alpha, const Annulus& band)
{
    glColor4d(1.0, 1.0, 1.0, alpha);
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < annulusVertexCount(band); ++k) {
        const AnnulusPoint p = annulusVertex(band, k);
        glTexCoord2d(0.5 + 0.5 * p.x, 0.5 + 0.5 * p.y);
        glVertex3d(h * p.x, h * p.y, 0.0);
    }
    glEnd();
}

// Sets an unlit, blended, uncovered, two-sided sprite facing the eye, drawn by draw(h)
// with h its half-size; state and matrix are pushed and popped (blend function and
// texture are the caller's).
template <class Draw> void placeHalo(Vec3 c, double scale, double roll, Draw draw)
{
    const ViewState view;
    Vec3 wc, beyond, eye;
    if (!view.project(c, wc) || !view.unproject({wc.x, wc.y, wc.z + 1.0}, beyond) ||
        !view.unproject({0.0, 0.0, -1000.0}, eye))
        return;
    const Vec3 toEye = eye - c;
    const double h = haloHalfSize(scale, dot(toEye, toEye));
    if (h <= 0.0)
        return;  // the eye is inside the sphere: there is no outline to cover

    glPushMatrix();
    glTranslated(c.x, c.y, c.z);
    faceAlong(normalised(beyond - c));
    const ViewState local;
    Vec3 a, b;
    if (local.unproject({0.0, 0.0, 0.0}, a) && local.unproject({0.0, 1.0, 0.0}, b)) {
        const Vec3 up = normalised(b - a);
        glRotated(std::atan2(up.y, up.x) * degreesPerRadian - 90.0 + roll, 0.0, 0.0, 1.0);
    }
    glPushAttrib(kHaloState);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    draw(h);
    glPopAttrib();
    glPopMatrix();
}

}  // namespace

// The dark halo's picture multiplies over the disc where it is not white.
void drawSphereHalo(Vec3 c, double scale, double alpha, double roll)
{
    placeHalo(c, scale, roll, [alpha](double h) { haloBand(h, alpha, darkHaloDisc); });
}

// Sets additive blending and the glow textures; both are pushed and popped. Each glow
// is drawn over the band where its picture holds anything.
void drawSunRimGlow(Vec3 c, double r, Vec3 light, unsigned wideTexture, unsigned thinTexture)
{
    const ViewState view;
    Vec3 wl, wc, eye;
    if (!view.project(light, wl) || !view.project(c, wc) || wl.z > 1.0)
        return;  // the light lies behind the eye or beyond the far plane
    if (!view.unproject({0.0, 0.0, -1000.0}, eye))
        return;
    const double screenAngle = std::atan2(wl.y - wc.y, wl.x - wc.x) * degreesPerRadian;
    const double theta = apparentRadius(r, length(c - eye));
    if (theta <= 0.0)
        return;
    const double cosPhi = dot(normalised(c - eye), normalised(light - eye));
    const double k = std::acos(std::clamp(cosPhi, -1.0, 1.0)) / theta;
    const RimGlowAlphas alphas = rimGlowAlphas(k);

    glPushAttrib(kRimGlowState);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, wideTexture);
    placeHalo(c, 1.08, screenAngle - 45.0, [&alphas](double h) { haloBand(h, alphas.wide, wideGlowBand); });
    glBindTexture(GL_TEXTURE_2D, thinTexture);
    placeHalo(c, 1.03, screenAngle - 45.0, [&alphas](double h) { haloBand(h, alphas.thin, thinGlowBand); });
    glPopAttrib();
}
