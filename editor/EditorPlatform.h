#pragma once
// The editor's platform services for the engine: the framework's OpenGL binding, and the
// engine's messages ("ERROR" boxes) as user messages. Libraries and text keep the engine's own.

// Registers the services with the engine, unless they are registered already. Views call it
// before they make their device, so any view works with or without the application object.
void InstallEditorPlatform();
