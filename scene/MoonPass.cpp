#include "scene/MoonPass.h"

#include <cmath>

#include "assets/GlHeaders.h"
#include "scene/Angles.h"
#include "scene/MoonOrbit.h"
#include "scene/PlanetPass.h"

namespace {

constexpr GLint kSphereSlices = 32;
constexpr GLint kSphereStacks = 16;

// Blending and texturing; the moons' colour, lit material and texture.
constexpr GLbitfield kMoonPassState = GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT;
// Lighting, blending, depth test; depth writes, blend function, colour and the material
// that follows it, glow texture.
constexpr GLbitfield kMoonGlowState =
    GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT;

// Sets an unlit, additive sprite that tests depth but writes none; pushed and popped.
void drawGlow(unsigned glowTexture)
{
    glPushAttrib(kMoonGlowState);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    GLdouble modelView[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    const double d = std::fabs(modelView[14]);  // the moon's depth in front of the eye
    const double alpha = moonGlowAlpha(d);
    if (d > 0.0 && alpha > 0.0) {  // a near moon's wide sprite would add nothing
        glBindTexture(GL_TEXTURE_2D, glowTexture);
        glColor4d(1.0, 1.0, 1.0, alpha);
        drawScreenSprite({0.0, 0.0, 0.0}, 3.0 / d, 3.0 / d);
    }
    glPopAttrib();
}

}  // namespace

// The list goes in release, while the context is current, or with its context.
MoonPass::~MoonPass() = default;

void MoonPass::release()
{
    if (list_ != -1)
        glDeleteLists(static_cast<GLuint>(list_), moonCount);
    list_ = -1;
}

// The spheres' vertices are the same every frame: GLU computes them once, one list per
// moon at its own radius (a scaled unit sphere would scale its normals, and the light).
bool MoonPass::compile()
{
    GLUquadric* quadric = gluNewQuadric();
    if (quadric == nullptr)
        return false;
    const GLuint first = glGenLists(moonCount);
    if (first != 0) {
        gluQuadricTexture(quadric, GL_TRUE);
        gluQuadricDrawStyle(quadric, GLU_FILL);
        for (int i = 0; i < moonCount; ++i) {
            glNewList(first + i, GL_COMPILE);
            gluSphere(quadric, moonRecords[i].radius, kSphereSlices, kSphereStacks);
            glEndList();
        }
        list_ = static_cast<int32_t>(first);
    }
    gluDeleteQuadric(quadric);
    return list_ != -1;
}

// Sets the lit material, opaque textured spheres and their glows; state and each moon's
// place are pushed and popped.
void MoonPass::draw(double T, const SceneTextures& textures)
{
    if (list_ == -1 && !compile())
        return;
    glPushAttrib(kMoonPassState);
    setLitMaterial();
    for (int i = 0; i < moonCount; ++i) {
        const MoonRecord& moon = moonRecords[i];
        const double theta = moonAngle(T, moon, i);
        const double x = std::cos(theta) * moon.orbitRadius;
        const double y = std::sin(theta) * moon.orbitRadius;
        glPushMatrix();
        glTranslated(x, y, 0.0);
        glRotated(theta * degreesPerRadian, 0.0, 0.0, 1.0);  // tidally locked: one turn per orbit
        glDisable(GL_BLEND);
        glColor3d(1.0, 1.0, 1.0);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textures.moon[moon.texture]);
        glCallList(static_cast<GLuint>(list_ + i));
        drawGlow(textures.starGlow);
        glPopMatrix();
    }
    glPopAttrib();
}

void drawScreenSprite(Vec3 c, double width, double height)
{
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    if (gluProject(c.x, c.y, c.z, modelView, projection, viewport, &wx, &wy, &wz) != GL_TRUE)
        return;
    const double hx = width * viewport[2] / 2.0;
    const double hy = height * viewport[2] / 2.0;  // both in viewport widths: a square
    const ScreenSpriteCorners corners = screenSpriteCorners(wx, wy, hx, hy);
    const WindowPoint* points[4] = {&corners.a, &corners.b, &corners.c, &corners.d};
    Vec3 world[4];
    for (int k = 0; k < 4; ++k)
        if (gluUnProject(points[k]->x, points[k]->y, wz, modelView, projection, viewport, &world[k].x, &world[k].y,
                         &world[k].z) != GL_TRUE)
            return;
    // Two quads, so one faces the eye whatever the culling.
    static const int order[8] = {0, 1, 2, 3, 3, 2, 1, 0};
    static const GLdouble texture[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    glBegin(GL_QUADS);
    for (int k : order) {
        glTexCoord2dv(texture[k]);
        glVertex3d(world[k].x, world[k].y, world[k].z);
    }
    glEnd();
}
