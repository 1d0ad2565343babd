#include "scene/PlanetMesh.h"

#include "assets/GlHeaders.h"
#include "scene/PlanetMath.h"

// The shift rides on the texture matrix, so the triangles stay in the compiled list
// instead of passing through the driver again every frame.
int PlanetMesh::drawRotated(double turns)
{
    const float f = turnFraction(turns);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glTranslatef(f, 0.0f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glRotatef(360.0f * f, 0.0f, 0.0f, 1.0f);
    drawList();
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return 1;
}
