// Scenes for the viewer's tests, written with the format writer into a folder the viewer
// then runs in: a textured box that turns (one revolution every two seconds) or stands
// still, and the broken variants start-up must refuse.
#pragma once

#include <string>

enum class BoxMotion { Turning, Still };

// Writes 2.MES (one node, a 4-unit box of 24 vertices with the checker texture "box"),
// box.TGA and 2.KNX (one track: 41 frames about a tilted axis, or 2 identity frames) into
// `dir`. False with the writer's message in *error when a file cannot be written.
bool WriteBoxScene(const std::string& dir, BoxMotion motion, std::string* error);

// The animation with one track more than the box scene has nodes.
bool WriteTwoTrackAnimation(const std::string& dir, std::string* error);

// 2.MES with one mesh "tri" of three vertices whose list names vertex 9, and a fitting
// 2.KNX: a scene the writer itself would refuse, written byte for byte.
bool WriteSceneWithIndexOutOfRange(const std::string& dir, std::string* error);

// Replaces a file by its first `keep` bytes.
bool TruncateFile(const std::string& path, unsigned keep);
