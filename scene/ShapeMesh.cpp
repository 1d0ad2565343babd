#include "scene/ShapeMesh.h"

#include <GL/glext.h>

namespace {

// The cube faces' cells per side: 96 chunks of about 120 triangles for the planet.
constexpr int kChunkCells = 4;

}  // namespace

// A list not released went with its context.
ShapeMesh::~ShapeMesh()
{
    data_.release();
}

int ShapeMesh::loadFromMemory(const void* block, size_t length)
{
    release();
    if (!data_.loadFromMemory(block, length))
        return 0;
    chunks_ = chunkMesh(data_, kChunkCells);
    return 1;
}

int ShapeMesh::drawList()
{
    if (list_ == -1)
        compileLists();
    if (list_ == 0)
        return 0;
    GLdouble modelView[16];
    GLdouble planes[ChunkView::maxPlanes][4];
    int planeCount = 0;
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    for (int i = 0; i < ChunkView::maxPlanes; ++i)
        if (glIsEnabled(GL_CLIP_PLANE0 + i))
            glGetClipPlane(GL_CLIP_PLANE0 + i, planes[planeCount++]);
    const ChunkView view = chunkView(modelView, planes, planeCount);
    for (size_t i = 0; i < chunks_.size(); ++i)
        if (chunkVisible(chunks_[i], view))
            glCallList(static_cast<GLuint>(list_) + static_cast<GLuint>(i));
    return 1;
}

void ShapeMesh::compileLists()
{
    list_ = static_cast<int32_t>(glGenLists(static_cast<GLsizei>(chunks_.size())));
    const ShapeVertex* v = data_.vertices();
    for (size_t i = 0; i < chunks_.size(); ++i) {
        glNewList(static_cast<GLuint>(list_) + static_cast<GLuint>(i), GL_COMPILE);
        glBegin(GL_TRIANGLES);
        for (int32_t t : chunks_[i].triangles)
            for (size_t k = 3 * static_cast<size_t>(t); k < 3 * static_cast<size_t>(t) + 3; ++k) {
                glNormal3fv(v[k].normal);
                glTexCoord2f(v[k].u, v[k].v);
                if (secondUnit_ != nullptr)
                    secondUnit_(GL_TEXTURE1, v[k].u, v[k].v);
                glVertex3fv(v[k].position);
            }
        glEnd();
        glEndList();
    }
}

void ShapeMesh::release()
{
    data_.release();
    deleteLists();
    chunks_.clear();
}

void ShapeMesh::setSecondUnit(void(APIENTRY* multiTexCoord2f)(GLenum, GLfloat, GLfloat))
{
    deleteLists();
    secondUnit_ = multiTexCoord2f;
}

void ShapeMesh::deleteLists()
{
    if (list_ > 0)
        glDeleteLists(static_cast<GLuint>(list_), static_cast<GLsizei>(chunks_.size()));
    list_ = -1;
}
