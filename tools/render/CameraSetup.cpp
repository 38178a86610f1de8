#include "Framing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace rendertool {

void Bounds::Add(float x, float y, float z)
{
    if (empty) {
        min = max = {x, y, z};
        empty = false;
        return;
    }
    const float p[3] = {x, y, z};
    for (int a = 0; a < 3; ++a) {
        min[a] = std::min(min[a], p[a]);
        max[a] = std::max(max[a], p[a]);
    }
}

bool ParseCamera(const std::string& text, CameraSetup* camera)
{
    float values[6];
    std::stringstream in(text);
    std::string item;
    int count = 0;
    while (std::getline(in, item, ',')) {
        if (count == 6)
            return false;
        char* end = nullptr;
        double v = std::strtod(item.c_str(), &end);
        if (item.empty() || *end || !std::isfinite(v))
            return false;
        values[count++] = static_cast<float>(v);
    }
    if (count != 6)
        return false;
    *camera = {values[0], values[1], values[2], values[3], values[4], values[5]};
    return true;
}

CameraSetup FitCamera(const Bounds& bounds)
{
    CameraSetup camera;
    if (bounds.empty)
        return camera;
    float centre[3], radius = 0;
    for (int a = 0; a < 3; ++a) {
        centre[a] = 0.5f * (bounds.min[a] + bounds.max[a]);
        float half = 0.5f * (bounds.max[a] - bounds.min[a]);
        radius += half * half;
    }
    radius = std::max(std::sqrt(radius), 1e-3f);
    // The vertical half-angle (22.5 degrees) is the narrower one: the engine's projection
    // always gives the horizontal extent the larger side.
    const double halfAngle = 22.5 * 3.14159265358979 / 180.0;
    const double margin = 1.05;
    float distance = static_cast<float>(radius * margin / std::sin(halfAngle));
    // The near plane sits at 1: keep the whole sphere beyond it.
    distance = std::max(distance, radius + 1.0f);
    camera.positionX = centre[0];
    camera.positionY = centre[1];
    camera.positionZ = centre[2] + distance;
    return camera;
}

} // namespace rendertool
