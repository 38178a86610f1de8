/// @file
/// The view: three rotation angles (degrees) and a position, applied to the current
/// matrix so that the scene turns about its origin and is moved away from the eye.
#pragma once

/// The viewer's camera: three rotation angles (degrees) and a position, applied to the current matrix.
class Camera {
public:
    Camera() { Reset(); }
    virtual ~Camera() = default;

    /// Angles 0, position (0, 0, 5).
    void Reset();
    /// Replaces the current matrix (the caller selects the modelview matrix).
    void Apply();

    /// @{
    /// Rotation about the x, y and z axes, in degrees.
    float angleX;
    float angleY;
    float angleZ;
    /// @}
    /// @{
    /// The position the scene is moved to, in front of the eye (positive z is away from it after Apply).
    float positionX;
    float positionY;
    float positionZ;
    /// @}
};
