#include "ViewerCommandLine.h"

#include "TestApplication.h"

#include "orvex/OrvexVersion.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const kUsage = "usage: Orvex [--window] [--fit] [SCENE.mes [ANIMATION.knx]]\n"
                           "\n"
                           "Plays a mesh scene full screen at 1024x768, animated when an animation is given.\n"
                           "Without a scene it plays 2.MES with 2.KNX of the working folder. A named scene's\n"
                           "folder becomes the working folder, so its textures load from beside it.\n"
                           "\n"
                           "  --window    plays in an ordinary 1024x768 window; the display mode stays as it is\n"
                           "  --fit       frames the scene so that it fills most of the picture, whatever its size\n"
                           "  -h, --help  prints this text\n"
                           "  --version   prints the version\n"
                           "\n"
                           "Drag with the left mouse button to turn the camera (with left Shift: roll), with the\n"
                           "right button to move it (with left Shift: zoom). Escape quits.\n";

ViewerOptions Refuse(std::string why)
{
    ViewerOptions refused;
    refused.action = ViewerOptions::Action::Usage;
    refused.error = std::move(why);
    return refused;
}

// One line naming what cannot be read and why, or "" when the file opens for reading.
std::string Unreadable(const std::string& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return "cannot open \"" + path + "\": it is a folder";
    errno = 0;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
        return std::string();
    }
    return "cannot open \"" + path + "\": " + std::strerror(errno != 0 ? errno : ENOENT);
}

} // namespace

ViewerOptions ParseViewerCommandLine(int argc, const char* const* argv)
{
    ViewerOptions options;
    bool optionsEnd = false;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i] != nullptr ? argv[i] : "";
        if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--") {
                optionsEnd = true;
            } else if (arg == "-h" || arg == "--help") {
                options.action = ViewerOptions::Action::Help;
            } else if (arg == "--version") {
                if (options.action != ViewerOptions::Action::Help)
                    options.action = ViewerOptions::Action::Version;
            } else if (arg == "--window") {
                options.window = true;
            } else if (arg == "--fit") {
                options.fit = true;
            } else {
                return Refuse("unknown option " + arg);
            }
            continue;
        }
        if (arg.empty())
            return Refuse("an empty file name");
        if (files == 0) {
            options.scene = arg;
        } else if (files == 1) {
            options.animation = arg;
        } else {
            return Refuse("more files than a scene and an animation: " + arg);
        }
        ++files;
    }
    return options;
}

const char* ViewerUsage()
{
    return kUsage;
}

int PrepareViewer(const ViewerOptions& options, ViewerFiles* files, std::string* failure, std::FILE* out,
                  std::FILE* err)
{
    failure->clear();
    switch (options.action) {
    case ViewerOptions::Action::Help:
        std::fputs(kUsage, out);
        return 0;
    case ViewerOptions::Action::Version:
        std::fprintf(out, "Orvex %s\n", ORVEX_VERSION);
        return 0;
    case ViewerOptions::Action::Usage:
        std::fprintf(err, "Orvex: %s\n%s", options.error.c_str(), kUsage);
        return 2;
    case ViewerOptions::Action::Play:
        break;
    }

    if (options.scene.empty()) {
        files->scene = kSceneFile;
        files->animation = kAnimationFile;
        return -1;
    }
    // Both named files are checked before the display changes, and taken as absolute paths
    // before the working folder moves to the scene's.
    for (const std::string* named : {&options.scene, &options.animation}) {
        if (named->empty())
            continue;
        *failure = Unreadable(*named);
        if (!failure->empty())
            return 1;
    }
    std::error_code ec;
    const fs::path scene = fs::absolute(options.scene, ec);
    const fs::path animation = options.animation.empty() ? fs::path() : fs::absolute(options.animation, ec);
    if (ec) {
        *failure = "cannot find the full path of \"" + options.scene + "\": " + ec.message();
        return 1;
    }
    fs::current_path(scene.parent_path(), ec);
    if (ec) {
        *failure = "cannot enter the folder of \"" + options.scene + "\": " + ec.message();
        return 1;
    }
    files->scene = scene.string();
    files->animation = animation.string();
    return -1;
}
