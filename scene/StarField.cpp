#include "scene/StarField.h"

#include <cstdlib>

#include "assets/GlHeaders.h"

namespace {
constexpr double kSkyRadius = 350.0;
// Lighting, texturing, point smoothing and blending; colours and the material that
// follows them, bound texture, depth writes, blend function and point size.
constexpr GLbitfield kStarFieldState = GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT |
                                       GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_POINT_BIT;

void emitStar(const StarAppearance& look)
{
    glColor4f(look.red, look.green, look.blue, 1.0f);
    glVertex3d(look.direction.x, look.direction.y, look.direction.z);
}
}

bool StarField::load(const char* text, size_t length, SceneBuffers& buffers)
{
    const size_t count = countStarLines(text, length);
    auto* stars = static_cast<StarRecord*>(std::calloc(count > 0 ? count : 1, sizeof(StarRecord)));
    if (stars == nullptr || !buffers.keep(stars))
        return false;
    parseStars(text, length, stars, count);
    stars_ = stars;
    count_ = count;
    return true;
}

void StarField::draw()
{
    if (stars_ == nullptr)
        return;
    // Sets unlit, untextured, additive points without depth writes on the sky sphere;
    // state and matrix are pushed and popped around the list.
    glPushAttrib(kStarFieldState);
    glPushMatrix();
    if (list_ != -1)
        glCallList(static_cast<GLuint>(list_));
    else
        compile();
    glPopMatrix();
    glPopAttrib();
}

void StarField::release()
{
    if (list_ != -1)
        glDeleteLists(static_cast<GLuint>(list_), 1);
    list_ = -1;
    stars_ = nullptr;
    count_ = 0;
}

void StarField::compile()
{
    list_ = static_cast<int32_t>(glGenLists(1));
    glNewList(static_cast<GLuint>(list_), GL_COMPILE_AND_EXECUTE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);  // everything drawn later covers the stars
    glBindTexture(GL_TEXTURE_2D, 0);
    glScaled(kSkyRadius, kSkyRadius, kSkyRadius);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    // Stars of the smallest size share one run of points; each changed point size costs
    // the renderer a state change, so only the few brighter stars get one each. The
    // blending adds, so the order of the stars does not change the sky.
    glPointSize(kFaintStarPointSize);
    glBegin(GL_POINTS);
    for (size_t i = 0; i < count_; ++i) {
        const StarAppearance look = starAppearance(stars_[i]);
        if (look.pointSize == kFaintStarPointSize)
            emitStar(look);
    }
    glEnd();
    for (size_t i = 0; i < count_; ++i) {
        const StarAppearance look = starAppearance(stars_[i]);
        if (look.pointSize == kFaintStarPointSize)
            continue;
        glPointSize(look.pointSize);
        glBegin(GL_POINTS);
        emitStar(look);
        glEnd();
    }
    glEndList();
}
