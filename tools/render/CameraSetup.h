// Where orvex-render puts the camera: the viewer's camera, one given on the command line,
// or one that frames the scene's bounds.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace rendertool {

struct CameraSetup {
    float angleX = 0, angleY = 0, angleZ = 0;
    float positionX = 0, positionY = 0, positionZ = 10; // the viewer's camera
};

struct Bounds {
    std::array<float, 3> min{0, 0, 0}, max{0, 0, 0};
    bool empty = true;
    void Add(float x, float y, float z);
};

// "AX,AY,AZ,PX,PY,PZ": three angles in degrees and a position; false unless all six are
// finite numbers.
bool ParseCamera(const std::string& text, CameraSetup* camera);

// A camera looking down -z, without rotation, at the centre of the bounds, far enough
// that their bounding sphere fits the 45-degree vertical field of view with a margin.
CameraSetup FitCamera(const Bounds& bounds);

} // namespace rendertool
