// A stand-in GL table for loading scenes without a window: materials create and upload
// their textures while a scene loads, and orvex-info needs no picture. Every entry does
// nothing and answers zero, except that texture names are handed out; nothing is drawn.
#pragma once

namespace info {

// Replaces the program-wide table with the stand-ins.
void InstallGlStub();

} // namespace info
