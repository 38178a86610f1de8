// A stand-in GL table for loading scenes without a window: materials create and upload
// their textures while a scene loads, and orvex-info needs no picture. The stand-ins hand
// out texture names and accept uploads; nothing is drawn.
#pragma once

namespace info {

// Fills the program-wide table's texture slots with the stand-ins.
void InstallGlStub();

} // namespace info
