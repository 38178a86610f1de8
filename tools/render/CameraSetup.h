// Where orvex-render puts the camera: the viewer's camera, turned as the options say, or one
// given whole on the command line.
#pragma once

#include <string>

namespace rendertool {

struct CameraSetup {
    float angleX = 0, angleY = 0, angleZ = 0;
    float positionX = 0, positionY = 0, positionZ = 10; // the viewer's camera
};

// "AX,AY,AZ,PX,PY,PZ": three angles in degrees and a position; false unless all six are
// finite numbers.
bool ParseCamera(const std::string& text, CameraSetup* camera);

// One finite number of degrees, for --turn, --tilt and --roll.
bool ParseDegrees(const std::string& text, float* degrees);

} // namespace rendertool
