// The program's window as the engine sees it: an opaque handle of the platform backend
// (SDL_Window* in the viewer and tools, QWindow* in the editor, WebCanvas* on a web page).
#pragma once

using WindowHandle = void*;
