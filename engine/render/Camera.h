// The view: three rotation angles (degrees) and a position, applied to the current
// matrix so that the scene turns about its origin and is moved away from the eye.
#pragma once

class Camera {
public:
    Camera() { Reset(); }
    virtual ~Camera() = default;

    // Angles 0, position (0, 0, 5).
    void Reset();
    // Replaces the current matrix (the caller selects the modelview matrix).
    void Apply();

    float angleX;
    float angleY;
    float angleZ;
    float positionX;
    float positionY;
    float positionZ;
};
