// Writes several files as one: each goes to a temporary name beside its target first, and
// only when every one of them is written are they renamed into place. On any failure none
// of them is left behind, and files that were there before stay as they were unless the
// renaming itself fails part-way.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace convert {

struct PlannedFile {
    std::string path;
    // Writes the file's contents to `path` (the temporary); false with a reason, or with
    // `reason` left empty for a plain "cannot be written".
    std::function<bool(const std::string& path, std::string* reason)> write;
};

// False with "<target>: <reason>" in `error` when a file cannot be written.
bool WriteTogether(const std::vector<PlannedFile>& files, std::string* error);

} // namespace convert
