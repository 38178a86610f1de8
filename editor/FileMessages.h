#pragma once
// Texts about files for the person using the editor: why a mesh file would not open, and
// names from files as text.
#include <QString>

class FileRefusal;

// For a file the framework could not open at all: missing, a folder, or unreadable.
QString DescribeUnreadableFile(const QString& path);
// For a file the scene loader refused: the loader's own reason, with where it found the
// fault, as a sentence.
QString DescribeRefusal(const FileRefusal& refusal);

// Text of a name from a file: UTF-8 when it is valid UTF-8, else 8-bit Latin-1.
QString FileNameText(const char* name);
