#pragma once
// Texts about files for the person using the editor: why a mesh file would not open, and
// names from files as text (UTF-8).
#include <string>

class FileRefusal;

// For a file the framework could not open at all: missing, a folder, or unreadable.
std::string DescribeUnreadableFile(const std::string& path);
// For a file the scene loader refused: the loader's own reason, with where it found the
// fault, as a sentence.
std::string DescribeRefusal(const FileRefusal& refusal);

// Text of a name from a file: as it is when it is valid UTF-8, else read as 8-bit Latin-1.
std::string FileNameText(const char* name);

// A path as the system writes it (back slashes on Windows).
std::string NativePath(const std::string& path);
