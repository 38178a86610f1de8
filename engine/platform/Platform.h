/// @file
/// The services the engine takes from its host program, registered once at start.
///
///     static SdlPlatform sdl;              // a backend fills in what it offers
///     SetPlatform(sdl.Services());
///
/// Any service left null falls back: libraries to SystemLibraries(), messages to
/// StderrMessageBox(), text to SystemText(); without a binding no GL context can
/// be made, and without display modes the mode never changes and the depth reads 0.
#pragma once

#include "orvex/platform/Display.h"
#include "orvex/platform/GlBinding.h"
#include "orvex/platform/Library.h"
#include "orvex/platform/MessageBox.h"
#include "orvex/platform/TextRasterizer.h"

/// The services a backend registers, each null when it does not offer it; none is owned.
struct Platform {
    /// Dynamic libraries; SystemLibraries() when null.
    LibraryLoader* libraries = nullptr;
    /// Messages to the user; StderrMessageBox() when null.
    MessageBox* messages = nullptr;
    /// Display-mode changes; none when null.
    DisplayModes* display = nullptr;
    /// GL on the program's windows; no GL context can be made when null.
    GlBinding* binding = nullptr;
    /// Text drawing; SystemText() when null.
    TextRasterizer* text = nullptr;
};

/// Replaces the registered services (a copy of the pointers is kept).
void SetPlatform(const Platform& platform);
/// The services registered last (all null before SetPlatform).
const Platform& GetPlatform();

/// The registered service or its fallback.
/// @{
LibraryLoader& PlatformLibraries();
MessageBox& PlatformMessages();
TextRasterizer& PlatformText();
/// @}
/// May be null.
DisplayModes* PlatformDisplay();
/// The registered GL binding, or null.
GlBinding* PlatformBinding();
