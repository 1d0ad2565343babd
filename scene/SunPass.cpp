#include "scene/SunPass.h"

#include "assets/GlHeaders.h"

namespace {

// Lighting, depth test and texturing switched off; the disc's white colour and the
// material that follows it.
constexpr GLbitfield kSunDiscState = GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT;

// Opposite the sun; enabled only by the planet's night passes.
void placeAntiSunLight(Vec3 sun)
{
    const GLfloat position[] = {static_cast<GLfloat>(-sun.x), static_cast<GLfloat>(-sun.y),
                                static_cast<GLfloat>(-sun.z), 1.0f};
    static const GLfloat ambient[] = {-0.2f, -0.2f, -0.2f, 0.0f};
    static const GLfloat diffuse[] = {0.51f, 0.51f, 0.51f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
}

}  // namespace

SunPass::~SunPass()
{
    if (quadric_ != nullptr)
        gluDeleteQuadric(quadric_);  // client memory only, no GL call
}

// Sets the lights' places (kept: every lit draw of the frame uses them); the disc's
// state and matrix are pushed and popped.
void SunPass::draw(Vec3 sun, bool nightSide)
{
    const GLfloat position[] = {static_cast<GLfloat>(sun.x), static_cast<GLfloat>(sun.y), static_cast<GLfloat>(sun.z),
                                1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    drawDisc(sun);
    if (nightSide)
        placeAntiSunLight(sun);
}

void SunPass::drawDisc(Vec3 sun)
{
    if (quadric_ == nullptr)
        quadric_ = gluNewQuadric();
    if (quadric_ == nullptr)
        return;
    glPushAttrib(kSunDiscState);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glColor3d(1.0, 1.0, 1.0);
    glTranslated(sun.x, sun.y, sun.z);
    gluSphere(quadric_, 2.0, 24, 12);
    glPopMatrix();
    glPopAttrib();
}
