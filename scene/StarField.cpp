#include "scene/StarField.h"

#include <algorithm>
#include <cstdlib>

#include "assets/GlHeaders.h"

namespace {
constexpr double kSkyRadius = 350.0;
// Lighting, texturing, point smoothing and blending; colours and the material that
// follows them, bound texture, depth writes, blend function and point size.
constexpr GLbitfield kStarFieldState = GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT |
                                       GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_POINT_BIT;

struct BrightStar {
    float size;
    size_t index;
};

void emitStar(const StarAppearance& look)
{
    glColor4f(look.red, look.green, look.blue, 1.0f);
    glVertex3d(look.direction.x, look.direction.y, look.direction.z);
}

void emitAlone(const StarAppearance& look)
{
    glPointSize(look.pointSize);
    glBegin(GL_POINTS);
    emitStar(look);
    glEnd();
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

// The brighter stars grouped by size; one draw each where the grouping cannot be had.
void StarField::emitBrightStars()
{
    auto* bright = static_cast<BrightStar*>(std::calloc(count_ > 0 ? count_ : 1, sizeof(BrightStar)));
    size_t n = 0;
    for (size_t i = 0; i < count_; ++i) {
        const StarAppearance look = starAppearance(stars_[i]);
        if (look.pointSize != kFaintStarPointSize) {
            if (bright == nullptr)
                emitAlone(look);
            else
                bright[n++] = {look.pointSize, i};
        }
    }
    std::sort(bright, bright + n, [](const BrightStar& a, const BrightStar& b) { return a.size < b.size; });
    for (size_t first = 0; first < n;) {
        size_t end = first;
        glPointSize(bright[first].size);
        glBegin(GL_POINTS);
        for (; end < n && bright[end].size == bright[first].size; ++end)
            emitStar(starAppearance(stars_[bright[end].index]));
        glEnd();
        first = end;
    }
    std::free(bright);
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
    // Stars of one size share one run of points; each changed point size costs the
    // renderer a state change and a draw. The blending adds, so the order of the stars
    // does not change the sky.
    glPointSize(kFaintStarPointSize);
    glBegin(GL_POINTS);
    for (size_t i = 0; i < count_; ++i) {
        const StarAppearance look = starAppearance(stars_[i]);
        if (look.pointSize == kFaintStarPointSize)
            emitStar(look);
    }
    glEnd();
    emitBrightStars();
    glEndList();
}
