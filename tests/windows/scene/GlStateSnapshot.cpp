#include "GlStateSnapshot.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "assets/SurfaceTargets.h"

namespace {

struct Enable {
    const char* name;
    GLenum what;
};

const Enable kEnables[] = {
    {"lighting", GL_LIGHTING},
    {"light 0", GL_LIGHT0},
    {"light 1", GL_LIGHT1},
    {"blend", GL_BLEND},
    {"depth test", GL_DEPTH_TEST},
    {"texture 2D", GL_TEXTURE_2D},
    {"cull face", GL_CULL_FACE},
    {"normalize", GL_NORMALIZE},
    {"colour material", GL_COLOR_MATERIAL},
    {"point smooth", GL_POINT_SMOOTH},
    {"clip plane 0", GL_CLIP_PLANE0},
    {"clip plane 1", GL_CLIP_PLANE1},
};

// A state query of `count` values.
struct Query {
    const char* name;
    GLenum what;
    int count;
};

const Query kIntegers[] = {
    {"blend source", GL_BLEND_SRC, 1},
    {"blend destination", GL_BLEND_DST, 1},
    {"depth mask", GL_DEPTH_WRITEMASK, 1},
    {"depth function", GL_DEPTH_FUNC, 1},
    {"bound 2D texture", GL_TEXTURE_BINDING_2D, 1},
    {"matrix mode", GL_MATRIX_MODE, 1},
    {"viewport", GL_VIEWPORT, 4},
    {"shade model", GL_SHADE_MODEL, 1},
    {"active texture unit", GL_ACTIVE_TEXTURE, 1},
    {"framebuffer binding", GL_FRAMEBUFFER_BINDING, 1},
};

const Query kDoubles[] = {
    {"current colour", GL_CURRENT_COLOR, 4},        {"point size", GL_POINT_SIZE, 1},
    {"model-view matrix", GL_MODELVIEW_MATRIX, 16}, {"projection matrix", GL_PROJECTION_MATRIX, 16},
    {"texture matrix", GL_TEXTURE_MATRIX, 16},
};

// The front material: with colour material on, every colour call changes it too.
const Query kMaterial[] = {
    {"material ambient", GL_AMBIENT, 4},
    {"material diffuse", GL_DIFFUSE, 4},
    {"material specular", GL_SPECULAR, 4},
    {"material shininess", GL_SHININESS, 1},
};

// The texture environment of unit 0, and unit 1's texturing, binding, environment and
// matrix: the night pass and the composition borrow the second unit.
void readUnits(GlStateSnapshot& s)
{
    using ActiveTexture = void(APIENTRY*)(GLenum);
    const auto activeTexture = reinterpret_cast<ActiveTexture>(glProcAddress("glActiveTexture"));
    if (activeTexture == nullptr)
        return;
    GLint active = GL_TEXTURE0, mode = 0, binding = 0;
    GLdouble matrix[16] = {};
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    s.items.push_back({"texture environment", {double(mode)}});
    activeTexture(GL_TEXTURE1);
    s.items.push_back({"texture 2D on unit 1", {glIsEnabled(GL_TEXTURE_2D) ? 1.0 : 0.0}});
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
    s.items.push_back({"bound 2D texture on unit 1", {double(binding)}});
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    s.items.push_back({"texture environment on unit 1", {double(mode)}});
    glGetDoublev(GL_TEXTURE_MATRIX, matrix);
    s.items.push_back({"texture matrix on unit 1", std::vector<double>(matrix, matrix + 16)});
    activeTexture(static_cast<GLenum>(active));
}

}  // namespace

GlStateSnapshot GlStateSnapshot::read()
{
    GlStateSnapshot s;
    for (const Enable& e : kEnables)
        s.items.push_back({e.name, {glIsEnabled(e.what) ? 1.0 : 0.0}});
    for (const Query& q : kIntegers) {
        GLint values[4] = {};
        glGetIntegerv(q.what, values);
        s.items.push_back({q.name, std::vector<double>(values, values + q.count)});
    }
    for (const Query& q : kDoubles) {
        GLdouble values[16] = {};
        glGetDoublev(q.what, values);
        s.items.push_back({q.name, std::vector<double>(values, values + q.count)});
    }
    for (const Query& q : kMaterial) {
        GLfloat values[4] = {};
        glGetMaterialfv(GL_FRONT, q.what, values);
        s.items.push_back({q.name, std::vector<double>(values, values + q.count)});
    }
    readUnits(s);
    return s;
}

std::string GlStateSnapshot::differencesFrom(const GlStateSnapshot& other) const
{
    std::string names;
    for (size_t i = 0; i < items.size() && i < other.items.size(); ++i)
        if (items[i].values != other.items[i].values)
            names += (names.empty() ? "" : ", ") + std::string(items[i].name);
    return names;
}

void disturbGlState(unsigned probeTexture, int width, int height)
{
    for (const Enable& e : kEnables)
        glIsEnabled(e.what) ? glDisable(e.what) : glEnable(e.what);
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LESS);
    glBindTexture(GL_TEXTURE_2D, probeTexture);
    glColor4d(0.25, 0.5, 0.75, 0.125);
    glPointSize(3.0f);
    glViewport(1, 2, width - 3, height - 4);
    glShadeModel(GL_FLAT);
    static const GLfloat specular[] = {0.1f, 0.2f, 0.3f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 5.0f);
}
