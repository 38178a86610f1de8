#include "orvex/render/Camera.h"

#include "orvex/render/GlApi.h"

void Camera::Reset()
{
    angleX = 0.0f;
    angleY = 0.0f;
    angleZ = 0.0f;
    positionX = 0.0f;
    positionY = 0.0f;
    positionZ = 5.0f;
}

void Camera::Apply()
{
    // Seen by a vertex: about z, then y, then x, then away from the eye.
    gl.glLoadIdentity();
    gl.glTranslatef(-positionX, -positionY, -positionZ);
    gl.glRotatef(angleX, 1.0f, 0.0f, 0.0f);
    gl.glRotatef(angleY, 0.0f, 1.0f, 0.0f);
    gl.glRotatef(angleZ, 0.0f, 0.0f, 1.0f);
}
