/// @file
/// The program's window as the engine sees it: an opaque handle of the platform backend
/// (on Linux SDL_Window* in the viewer and tools and QWindow* in the editor; on Windows the
/// HWND in every program; WebCanvas* on a web page).
#pragma once

/// A window of the platform backend, opaque to the engine; null is none.
using WindowHandle = void*;
