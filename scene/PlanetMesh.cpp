#include "scene/PlanetMesh.h"

#include "assets/GlHeaders.h"
#include "scene/PlanetMath.h"

int PlanetMesh::drawRotated(double turns)
{
    const float f = turnFraction(turns);
    glPushMatrix();
    glRotatef(360.0f * f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_TRIANGLES);
    const ShapeVertex* v = data_.vertices();
    for (size_t i = 0; i < data_.vertexCount(); ++i) {
        glNormal3fv(v[i].normal);
        glTexCoord2f(v[i].u + f, v[i].v);
        glVertex3fv(v[i].position);
    }
    glEnd();
    glPopMatrix();
    return 1;
}
