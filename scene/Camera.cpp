#include "scene/Camera.h"

#include "assets/GlHeaders.h"

int Camera::apply()
{
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
    return 1;
}
