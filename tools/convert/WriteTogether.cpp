#include "convert/WriteTogether.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace convert {

bool WriteTogether(const std::vector<PlannedFile>& files, std::string* error)
{
    const std::string suffix = ".part" + std::to_string(getpid());
    std::vector<std::string> temporary;
    auto removeTemporary = [&](std::size_t from) {
        for (std::size_t k = from; k < temporary.size(); ++k)
            std::remove(temporary[k].c_str());
    };
    for (const PlannedFile& file : files) {
        std::string part = file.path + suffix;
        temporary.push_back(part);
        std::string reason;
        if (!file.write(part, &reason)) {
            *error = file.path + ": " + (reason.empty() ? "cannot be written" : reason);
            removeTemporary(0);
            return false;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        // filesystem::rename replaces an existing file on every system (std::rename does not
        // on Windows).
        std::error_code renamed;
        std::filesystem::rename(temporary[i], files[i].path, renamed);
        if (renamed) {
            *error = files[i].path + ": cannot be written";
            // Take back what was already put in place, then the rest of the temporaries.
            for (std::size_t k = 0; k < i; ++k)
                std::remove(files[k].path.c_str());
            removeTemporary(i);
            return false;
        }
    }
    return true;
}

} // namespace convert
