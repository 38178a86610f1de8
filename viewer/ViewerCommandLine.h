// The viewer's command line, the same for every entry point (SDL, Win32):
//
//     Orvex [--window] [--fit] [SCENE.mes [ANIMATION.knx]]
//     Orvex -h | --help | --version
//
// Without a scene the viewer plays "2.MES" with "2.KNX" of the working folder, as it always
// has. With one, the scene's folder becomes the working folder before anything loads, so the
// textures the scene names are found beside it; the animation is optional.
#pragma once

#include <cstdio>
#include <string>

struct ViewerOptions {
    enum class Action { Play, Help, Version, Usage };
    Action action = Action::Play;
    std::string scene;     // as given; "" for the working folder's "2.MES" and "2.KNX"
    std::string animation; // as given; "" with a scene: its stored pose
    bool window = false;   // an ordinary window; the display mode stays as it is
    bool fit = false;      // the camera frames the scene's bounds
    std::string error;     // why the command line is refused (Action::Usage)
};

// Reads argv[1..argc-1]. Options may stand anywhere; "--" ends them.
ViewerOptions ParseViewerCommandLine(int argc, const char* const* argv);

// The usage text, ending in a newline.
const char* ViewerUsage();

// The files the application loads, after the working-folder change.
struct ViewerFiles {
    std::string scene;
    std::string animation; // "" for none
};

// What the viewer does before it opens a window. Help and the version go to `out` and give
// status 0; a refused command line gives its reason and the usage on `err` and status 2; a
// named file that cannot be read, or a scene folder that cannot be entered, gives status 1
// with *failure saying so in one line (without "Orvex: "), for the platform to show as it
// shows every start-up failure. -1 means play: *files then says what to load (absolute paths
// when a scene was named, the working folder having become the scene's).
int PrepareViewer(const ViewerOptions& options, ViewerFiles* files, std::string* failure, std::FILE* out,
                  std::FILE* err);
