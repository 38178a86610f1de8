// The engine's loaders take paths: a fuzz input is handed to them as an in-memory file
// (memfd) reached through /proc/self/fd/N, rewritten for every input.
#pragma once

#include <cstddef>
#include <cstdint>

class FileRefusal;

// Installs the no-op GL table and creates the in-memory file; call once at start.
void FuzzSetUp();

// Replaces the in-memory file's contents with the bytes; returns its path.
const char* FuzzFile(const std::uint8_t* data, std::size_t size);

// A second in-memory file, for a harness that needs two (a scene and an animation).
const char* FuzzSecondFile(const std::uint8_t* data, std::size_t size);

// Stops the run unless a refused file's reason is noted, lies within the file, and formats
// into one line.
void CheckRefusal(const FileRefusal& refusal, std::size_t fileSize);
