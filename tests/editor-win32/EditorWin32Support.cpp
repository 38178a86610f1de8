#include "EditorWin32Support.h"

#include "format/MeshWriter.h"
#include "framework/Profile.h"
#include "framework/Toolkit.h"
#include "framework/win32/Win32Wnd.h"

#include <chrono>
#include <filesystem>
#include <random>

namespace {

// The toolkit starts once for the whole test program, as main starts it once.
void StartToolkit()
{
    static fw::Toolkit toolkit({"orvex_editor_win32_tests"}, "quorvan");
}

// The editor's profile as at its first start: no kept layout, no recent files.
void ClearProfile()
{
    fw::Profile profile("Local AppWizard-Generated Applications", "Quorvan");
    profile.RemoveSection(CMainFrame::LayoutSection());
    profile.RemoveSection("Recent File List");
}

} // namespace

void PumpMessages(int milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        // The idle hook's timer keeps the queue from ever running dry: look at the condition
        // and the clock after every message.
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    }
}

TempFolder::TempFolder()
{
    std::random_device random;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("orvex-editor-" + std::to_string(random()));
    std::filesystem::create_directories(path);
    m_path = path.string();
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

bool WriteShipScene(const std::string& path, std::string* error)
{
    using namespace orvex::format;
    SceneDesc scene;
    scene.materials.emplace_back().name = "hull";
    scene.materials.emplace_back().name = "sail";
    scene.nodes = {
        {"root", -1, {}, {}}, {"mast", 0, {0, 2, 0}, {}}, {"flag", 1, {0, 3, 0}, {}}, {"anchor", -1, {}, {}}};
    for (const char* name : {"Hull", "Sail"}) {
        MeshDesc& mesh = scene.meshes.emplace_back();
        mesh.name = name;
        const float side = mesh.name == "Hull" ? 2.0f : 1.0f;
        for (const Vec3 p : {Vec3{-side, 0, 0}, Vec3{side, 0, 0}, Vec3{0, side, 0}}) {
            VertexDesc vertex;
            vertex.position = p;
            vertex.normal = {0, 0, 1};
            mesh.vertices.push_back(vertex);
            mesh.nodeIndices.push_back(mesh.name == "Hull" ? 0 : 1);
        }
        mesh.groups.push_back(GroupDesc{mesh.name == "Hull" ? "hull" : "sail", {TriangleListDesc{{0, 1, 2, 0, 2, 1}}}});
    }
    return WriteScene(path, scene, error);
}

void EditorApp::StartToolkitOnly()
{
    StartToolkit();
}

EditorApp::EditorApp(std::vector<std::string> arguments, bool freshLayout) : m_freshLayout(freshLayout)
{
    StartToolkit();
    m_app = std::make_unique<CQuorvanApp>();
    m_app->SetCommandLine(std::move(arguments));
    if (m_freshLayout)
        ClearProfile();
    m_started = m_app->InitInstance();
    if (m_started) {
        m_app->StartIdleProcessing();
        PumpMessages(200); // shown, laid out and painted
    }
}

EditorApp::~EditorApp()
{
    m_app->StopIdleProcessing();
    if (fw::FrameWnd* frame = m_app->GetMainWnd())
        frame->DestroyWindow();
    PumpMessages(50);
    m_app.reset();
    if (m_freshLayout)
        ClearProfile();
}

CMainFrame& EditorApp::Frame()
{
    return *dynamic_cast<CMainFrame*>(m_app->GetMainWnd());
}

HWND EditorApp::FrameWindow()
{
    return Handle(Frame());
}

HWND Handle(const fw::Wnd& wnd)
{
    return fw::win32::HandleOf(&wnd);
}

RECT RectIn(HWND window, HWND in)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ClassName(HWND window)
{
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return fw::win32::Utf8(text);
}
