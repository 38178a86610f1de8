/// @file
/// Framing a scene of any size: instead of moving the camera (whose near plane at 1 stops it
/// short of a 5 cm model, and whose field of view needs it hundreds of units away from a large
/// one), the scene's view is scaled about the scene's centre so that it fills the picture as
/// seen from the camera where it stands. The camera keeps its angles, its position and the way
/// the mouse moves it; it turns about the scene's centre instead of its origin.
///
///     camera.Apply();
///     framing.Begin();     // after the camera, before the scene
///     scene.Render();
///     framing.End();
#pragma once

#include "orvex/math/MathLib.h"

#include <cstddef>

class Camera;
class MeshScene;

/// How much of the picture's half-height (or half-width, where that limits) a framed scene
/// fills in the programs: most of it, with a margin.
inline constexpr float kFramingFill = 0.85f;

/// A scale about a centre that fits a scene into the picture (see the file's description).
struct ViewFraming {
    /// How much the scene's view is scaled.
    float scale = 1.0f;
    /// The point the scale is about, which is moved to the origin.
    Vector3 centre = {0.0f, 0.0f, 0.0f};

    /// Scale 1 about the origin: Begin and End make no GL call at all.
    bool IsIdentity() const;
    /// Multiplies the modelview matrix by the scale and by the move of the centre to the
    /// origin. While scaled, GL renormalises the normals, which the scale would otherwise
    /// lengthen or shorten and with them the lighting.
    void Begin() const;
    /// Ends the renormalising Begin switched on.
    void End() const;
};

/// The framing under which every point, seen through `camera` (angles and position as they
/// are) with the device's perspective for a width x height picture, lies within `fill` (0 to 1)
/// of the picture's half-width and half-height from its middle, and in front of the near plane.
/// The centre is the middle of the points' bounding box. Non-finite points are skipped;
/// without points, or when no scale brings them into view (the camera beside or behind the
/// centre), the result is the identity.
ViewFraming FramePoints(const Vector3* points, std::size_t count, const Camera& camera, int width, int height,
                        float fill);
/// The same for the vertices of the scene's meshes as its last Update posed them.
ViewFraming FrameScene(const MeshScene& scene, const Camera& camera, int width, int height, float fill);
