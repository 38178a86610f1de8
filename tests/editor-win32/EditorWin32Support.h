#pragma once
// The editor on Win32 under test: the real application object started as Quorvan.exe starts it
// (resources, frame, bars, view, document), message pumping with a deadline, small scenes
// written with the format writer, and the system's answers about windows (rectangles in the
// frame's client coordinates, classes, texts).
#include "MainFrm.h"
#include "Quorvan.h"
#include "framework/win32/Win32Headers.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Runs the thread's messages (and the application's idle hook, when idle processing runs) for
// about `milliseconds`.
void PumpMessages(int milliseconds);
// Pumps until condition holds; false when it does not within `milliseconds`.
bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 5000);

// A folder of its own under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Writes `name`.mes: materials "hull" and "sail" (no textures), nodes root, mast (child of root),
// flag (child of mast) and anchor (a second root), meshes "Hull" and "Sail". False with the
// writer's message in *error.
bool WriteShipScene(const std::string& path, std::string* error);

// The application as Quorvan.exe starts it (InitInstance with the arguments). With a fresh
// layout its profile (kept layout, recent files) is cleared before and after, so the test starts
// as at the first start; otherwise the kept one is used, as at a second start. The frame goes at
// the end.
class EditorApp {
public:
    explicit EditorApp(std::vector<std::string> arguments = {}, bool freshLayout = true);
    ~EditorApp();
    EditorApp(const EditorApp&) = delete;
    EditorApp& operator=(const EditorApp&) = delete;

    // The toolkit alone, for tests of windows without the application.
    static void StartToolkitOnly();

    bool Started() const { return m_started; }
    CQuorvanApp& App() { return *m_app; }
    CMainFrame& Frame();
    HWND FrameWindow();

private:
    std::unique_ptr<CQuorvanApp> m_app;
    bool m_started = false;
    bool m_freshLayout = true;
};

HWND Handle(const fw::Wnd& wnd);
// A window's rectangle in the client coordinates of `in`.
RECT RectIn(HWND window, HWND in);
std::string ClassName(HWND window);
std::string WindowText(HWND window);
