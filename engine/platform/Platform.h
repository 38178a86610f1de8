// The services the engine takes from its host program, registered once at start.
//
//     static SdlPlatform sdl;              // a backend fills in what it offers
//     SetPlatform(sdl.Services());
//
// Any service left null falls back: libraries to SystemLibraries(), messages to
// StderrMessageBox(), text to SystemText(); without a binding no GL context can
// be made, and without display modes the mode never changes and the depth reads 0.
#pragma once

#include "orvex/platform/Display.h"
#include "orvex/platform/GlBinding.h"
#include "orvex/platform/Library.h"
#include "orvex/platform/MessageBox.h"
#include "orvex/platform/TextRasterizer.h"

struct Platform {
    LibraryLoader* libraries = nullptr;
    MessageBox* messages = nullptr;
    DisplayModes* display = nullptr;
    GlBinding* binding = nullptr;
    TextRasterizer* text = nullptr;
};

// Replaces the registered services (a copy of the pointers is kept).
void SetPlatform(const Platform& platform);
const Platform& GetPlatform();

// The registered service or its fallback.
LibraryLoader& PlatformLibraries();
MessageBox& PlatformMessages();
TextRasterizer& PlatformText();
// May be null.
DisplayModes* PlatformDisplay();
GlBinding* PlatformBinding();
