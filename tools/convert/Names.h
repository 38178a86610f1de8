// Names as the file formats hold them: at most a fixed number of bytes (79 for names, 75
// for texture names, which become file names), unique where the engine looks them up.
#pragma once

#include <cstddef>
#include <set>
#include <string>

namespace convert {

constexpr std::size_t MaxNameBytes = 79;
constexpr std::size_t MaxTextureNameBytes = 75;

// Cuts `name` to at most `limit` bytes without splitting a UTF-8 sequence.
std::string Truncated(const std::string& name, std::size_t limit);

// `name` (or `fallback` when it is empty) cut to `limit` bytes; with `taken` given, also made
// different from every name in it by a "_2", "_3", ... suffix, and recorded there.
std::string FitName(const std::string& name, const std::string& fallback, std::size_t limit,
                    std::set<std::string>* taken);

// `text` when it is valid UTF-8, else its bytes read as Latin-1: the engine's names are 8-bit
// text of no stated encoding, and JSON holds UTF-8.
std::string AsUtf8(const std::string& text);

// A name that is safe as a file name on every system: letters, digits, '-' and '_' kept,
// everything else becomes '_'.
std::string FileSafe(const std::string& name);

} // namespace convert
