#include "ViewerCommandLine.h"

#include "TestApplication.h"

#include "CommandLine.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const kUsage = "usage: Orvex [--window] [--fit] [SCENE.mes [ANIMATION.knx]]\n"
                           "\n"
                           "Plays a mesh scene full screen at 1024x768, animated when an animation is given.\n"
                           "Without a scene it plays 2.MES with 2.KNX of the working folder. A named scene's\n"
                           "textures load from beside it.\n"
                           "\n"
                           "  --window    plays in an ordinary 1024x768 window; the display mode stays as it is\n"
                           "  --fit       frames the scene so that it fills most of the picture, whatever its size\n"
                           "  -h, --help  prints this text\n"
                           "  --version   prints the version\n"
                           "\n"
                           "Drag with the left mouse button to turn the camera (with left Shift: roll), with the\n"
                           "right button to move it (with left Shift: zoom). Escape quits.\n";

// One line naming what cannot be read and why, or "" when the file opens for reading.
std::string Unreadable(const std::string& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return "cannot open \"" + path + "\": it is a folder";
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (file)
        return std::string();
    return "cannot open \"" + path + "\": " + std::strerror(errno != 0 ? errno : ENOENT);
}

// The full path of a named file that can be read; false with *failure naming it otherwise.
bool FullPathOf(const std::string& named, std::string* full, std::string* failure)
{
    *failure = Unreadable(named);
    if (!failure->empty())
        return false;
    std::error_code ec;
    const fs::path path = fs::absolute(named, ec);
    if (ec) {
        *failure = "cannot find the full path of \"" + named + "\": " + ec.message();
        return false;
    }
    *full = path.string();
    return true;
}

} // namespace

std::optional<int> ParseViewerCommandLine(int argc, const char* const* argv, ViewerOptions* options, std::FILE* out,
                                          std::FILE* err)
{
    *options = ViewerOptions();
    int files = 0;
    cli::CommandLine line("Orvex", kUsage);
    line.Flag("--window", &options->window);
    line.Flag("--fit", &options->fit);
    line.Operands([options, &files](const std::string& file) -> std::string {
        if (file.empty())
            return "an empty file name";
        if (files == 2)
            return "more files than a scene and an animation: " + file;
        (files++ == 0 ? options->scene : options->animation) = file;
        return "";
    });
    return line.Parse(argc, argv, out, err);
}

const char* ViewerUsage()
{
    return kUsage;
}

bool PrepareViewer(const ViewerOptions& options, ViewerFiles* files, std::string* failure)
{
    failure->clear();
    if (options.scene.empty()) {
        files->scene = kSceneFile;
        files->animation = kAnimationFile;
        return true;
    }
    // Checked before the display changes; each file's failure names that file.
    files->animation.clear();
    return FullPathOf(options.scene, &files->scene, failure) &&
           (options.animation.empty() || FullPathOf(options.animation, &files->animation, failure));
}
