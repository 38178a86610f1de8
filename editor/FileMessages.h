#pragma once
// Why a mesh file would not open, in words for the person who chose it.
#include <QString>

// For a file the framework could not open at all: missing, a folder, or unreadable.
QString DescribeUnreadableFile(const QString& path);
// For a file the scene refused: no mesh file header, another format version, or contents that
// are damaged or cut short.
QString DescribeRefusedMeshFile(const QString& path);

// Text of a name from a file: UTF-8 when it is valid UTF-8, else 8-bit Latin-1.
QString FileNameText(const char* name);
