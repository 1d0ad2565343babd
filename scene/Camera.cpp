#include "scene/Camera.h"

#include "assets/GlHeaders.h"

void Camera::apply() const
{
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
}
