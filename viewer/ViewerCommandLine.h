// The viewer's command line, the same for every entry point (SDL, Win32), read by the rules
// all Orvex programs share (cli/CommandLine.h):
//
//     Orvex [--window] [--fit] [SCENE.mes [ANIMATION.knx]]
//     Orvex -h | --help | --version
//
// Without a scene the viewer plays "2.MES" with "2.KNX" of the working folder, as it always
// has. With one, the scene loads from inside its own folder, so the textures it names are
// found beside it; the animation is optional.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

struct ViewerOptions {
    std::string scene;     // as given; "" for the working folder's "2.MES" and "2.KNX"
    std::string animation; // as given; "" with a scene: its stored pose
    bool window = false;   // an ordinary window; the display mode stays as it is
    bool fit = false;      // the camera frames the scene's bounds
};

// Reads argv[1..argc-1] into *options. Empty when the viewer goes on; otherwise the status
// it ends with: 0 after help or the version on `out`, 2 after a refusal and the usage on `err`.
std::optional<int> ParseViewerCommandLine(int argc, const char* const* argv, ViewerOptions* options, std::FILE* out,
                                          std::FILE* err);

// The usage text, ending in a newline.
const char* ViewerUsage();

// The files the application loads.
struct ViewerFiles {
    std::string scene;
    std::string animation; // "" for none
};

// What the viewer checks before it opens a window: each named file can be read, and is named
// by its full path from then on. False, with *failure naming the file and saying why in one
// line (without "Orvex: "), for the platform to show as it shows every start-up failure.
bool PrepareViewer(const ViewerOptions& options, ViewerFiles* files, std::string* failure);
