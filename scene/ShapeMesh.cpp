#include "scene/ShapeMesh.h"

#include "assets/GlHeaders.h"

// A list not released went with its context.
ShapeMesh::~ShapeMesh()
{
    data_.release();
}

int ShapeMesh::loadFromMemory(const void* block, size_t length)
{
    release();
    return data_.loadFromMemory(block, length) ? 1 : 0;
}

int ShapeMesh::drawList()
{
    if (list_ != -1) {
        glCallList(static_cast<GLuint>(list_));
        return 1;
    }
    list_ = static_cast<int32_t>(glGenLists(1));
    glNewList(static_cast<GLuint>(list_), GL_COMPILE_AND_EXECUTE);
    glBegin(GL_TRIANGLES);
    const ShapeVertex* v = data_.vertices();
    for (size_t i = 0; i < data_.vertexCount(); ++i) {
        glNormal3fv(v[i].normal);
        glTexCoord2f(v[i].u, v[i].v);
        glVertex3fv(v[i].position);
    }
    glEnd();
    glEndList();
    return 1;
}

void ShapeMesh::release()
{
    data_.release();
    if (list_ != -1) {
        glDeleteLists(static_cast<GLuint>(list_), 1);
        list_ = -1;
    }
}
