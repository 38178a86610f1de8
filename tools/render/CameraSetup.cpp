#include "CameraSetup.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace rendertool {

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

bool ParseDegrees(const std::string& text, float* degrees)
{
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !std::isfinite(v))
        return false;
    *degrees = static_cast<float>(v);
    return true;
}

} // namespace rendertool
