/// @file
/// The one place the engine changes the working folder. A scene names its textures relative
/// to the working folder ("<texture>.TGA"), so a scene that lies elsewhere is loaded from
/// inside its own folder (MeshScene::LoadInFolder) and the folder the program was in comes
/// back as soon as the load is over.
///
/// Paths are narrow text, as every file name the engine takes: on Windows in the program's
/// code page, the way the C library's fopen reads them.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

/// The folder part of a file's path and its file name: "models/fox/fox.mes" is the folder
/// "models/fox" and the name "fox.mes"; "/fox.mes" is "/" and "fox.mes"; a bare name has the
/// folder "". Folders are separated by '/' and, where the system takes it too, '\\'.
struct PathParts {
    /// The folder, without a trailing separator except for the root "/".
    std::string_view folder;
    /// The file name, a pointer into the path.
    const char* name;
};
/// Splits `path` into its folder and file name (see PathParts); the name points into `path`.
PathParts SplitPath(const char* path);

/// Enters a folder for the life of the object and goes back to the previous one when the
/// object goes, however the scope is left. A folder that cannot be entered leaves the working
/// folder as it was, and so does a working folder that cannot be told (it would not come back).
class WorkingFolder {
public:
    /// Enters `folder`; "" stays where it is and counts as entered.
    explicit WorkingFolder(std::string_view folder);
    /// Goes back to the folder the constructor found.
    ~WorkingFolder();

    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    /// False when the folder could not be entered; GetError then says which and why:
    /// "cannot enter the folder \"models/fox\": No such file or directory".
    bool Entered() const { return error.empty(); }
    /// Why the folder could not be entered; "" when it was.
    const char* GetError() const { return error.c_str(); }

private:
    std::filesystem::path previous; ///< empty while nothing was entered
    std::string error;
};
