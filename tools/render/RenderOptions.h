// orvex-render's command line: what to draw, from where, how large, and where to write it.
#pragma once

#include "CameraSetup.h"

#include <cstdio>
#include <optional>
#include <string>

namespace rendertool {

struct RenderOptions {
    std::string scene, animation, output;
    double time = 0; // seconds of the animation played before the picture
    int width = 1024, height = 768;
    bool fit = false, overlay = false, quiet = false;
    CameraSetup camera;
};

// Reads argv[1..argc-1] into *options. Empty when the picture is to be drawn; otherwise the
// status orvex-render ends with: 0 after help or the version on `out`, 2 after a refusal and
// the usage on `err`.
std::optional<int> ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options,
                                      std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace rendertool
