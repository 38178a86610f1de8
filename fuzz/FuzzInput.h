// The engine's loaders take paths: a fuzz input is handed to them as an in-memory file
// (memfd) reached through /proc/self/fd/N, rewritten for every input.
#pragma once

#include <cstddef>
#include <cstdint>

// Installs the no-op GL table and creates the in-memory file; call once at start.
void FuzzSetUp();

// Replaces the in-memory file's contents with the bytes; returns its path.
const char* FuzzFile(const std::uint8_t* data, std::size_t size);

// A second in-memory file, for a harness that needs two (a scene and an animation).
const char* FuzzSecondFile(const std::uint8_t* data, std::size_t size);
