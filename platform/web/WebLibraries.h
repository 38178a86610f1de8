// The library loader of the web backend. A page has one GL library, the fixed-function layer
// on WebGL 2, and it answers to the system GL library's name (kSystemGlLibrary, which is also
// kSgiSoftwareGlLibrary here: the browser decides whether WebGL draws in software). Its
// window-system names forward to the registered GlBinding, as on Linux. There are no other
// libraries: the 3dfx drivers and Glide are absent, so those kinds fall back as they do on any
// current system.
#pragma once

#include "orvex/platform/Library.h"

LibraryLoader& WebGlLibraries();
