#include "orvex/foundation/WorkingFolder.h"

#include <cstring>
#include <exception>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr bool kBackslashSeparates = fs::path::preferred_separator == '\\';

bool IsSeparator(char c)
{
    return c == '/' || (kBackslashSeparates && c == '\\');
}

} // namespace

PathParts SplitPath(const char* path)
{
    const std::size_t length = std::strlen(path);
    std::size_t name = length;
    while (name > 0 && !IsSeparator(path[name - 1]))
        --name;
    if (name == 0)
        return {std::string_view(), path};
    // The separator goes with the folder where the folder would be nothing without it: the
    // root "/" and, on Windows, a drive's root "C:\".
    std::size_t folder = name - 1;
    if (folder == 0 || path[folder - 1] == ':')
        folder = name;
    return {std::string_view(path, folder), path + name};
}

WorkingFolder::WorkingFolder(std::string_view folder)
{
    if (folder.empty())
        return;
    const std::string shown(folder);
    std::error_code ec;
    try {
        fs::path current = fs::current_path(ec);
        if (ec) {
            error = "cannot enter the folder \"" + shown + "\": the working folder to come back to cannot be told (" +
                    ec.message() + ")";
            return;
        }
        fs::current_path(fs::path(folder), ec);
        if (ec) {
            error = "cannot enter the folder \"" + shown + "\": " + ec.message();
            return;
        }
        previous = std::move(current);
    } catch (const std::exception& e) {
        // A name the system's wide paths cannot express, or no memory for the paths.
        error = "cannot enter the folder \"" + shown + "\": " + e.what();
    }
}

WorkingFolder::~WorkingFolder()
{
    if (previous.empty())
        return;
    std::error_code ec;
    fs::current_path(previous, ec); // a folder removed meanwhile cannot come back; nothing else can fail
}
