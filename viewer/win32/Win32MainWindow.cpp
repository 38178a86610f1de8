#include "Win32MainWindow.h"

#include "Win32MessageQueue.h"
#include "WindowProcedure.h"

MainWindow::~MainWindow()
{
    MainWindow::Destroy();
}

void MainWindow::Destroy()
{
    if (mainWindow != nullptr) {
        DestroyWindow(static_cast<HWND>(mainWindow));
        mainWindow = nullptr;
    }
}

bool MainWindow::Create(HINSTANCE instance, int width, int height, bool fullScreen)
{
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = ViewerWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = kMainWindowClass;
    // A second window of the same process (tests) finds the class already there.
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;

    HWND window = nullptr;
    if (fullScreen) {
        window = CreateWindowExA(WS_EX_TOPMOST, kMainWindowClass, kMainWindowTitle,
                                 WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr,
                                 instance, nullptr);
    } else {
        // A fixed size: the viewport is the one Init sets.
        const DWORD style =
            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, style, FALSE, 0);
        window =
            CreateWindowExA(0, kMainWindowClass, kMainWindowTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    }
    mainWindow = window;
    if (window == nullptr)
        return false;

    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);
    SetFocus(window);
    return true;
}
