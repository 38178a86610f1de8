// The viewer's input on Win32, driven through the system's own input queue: SetCursorPos
// places the cursor and SendInput presses the buttons and keys that GetCursorPos and
// GetAsyncKeyState then report, and the camera moves HandleInput makes of them.
#include "Application.h"
#include "Win32InputState.h"
#include "Win32MainWindow.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// An Application with a camera and no device: the viewer's input step alone.
struct InputApplication : Application {
    InputApplication() { camera = new Camera; }
};

class Win32Input : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr), 320, 240));
        Pump();
        app.SetInput(&input);
        MoveTo(100, 100);
        app.HandleInput(); // the starting point of the motion
    }
    void TearDown() override
    {
        // Nothing stays pressed for the tests after this one.
        for (WORD key : std::set<WORD>(held))
            Key(key, false);
        window.Destroy();
        Pump();
    }

    static void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT)
                DispatchMessageA(&msg);
    }
    static void Send(INPUT event)
    {
        ASSERT_EQ(SendInput(1, &event, sizeof event), 1u);
        Pump();
    }
    // A key or a mouse button (VK_LBUTTON, VK_RBUTTON) down or up.
    void Key(WORD key, bool down)
    {
        INPUT event{};
        if (key == VK_LBUTTON || key == VK_RBUTTON) {
            event.type = INPUT_MOUSE;
            event.mi.dwFlags = key == VK_LBUTTON ? (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                                                 : (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
        } else {
            event.type = INPUT_KEYBOARD;
            event.ki.wVk = key;
            // Windows tells the two Shift keys by their scan codes, Wine the right one by the
            // extended-key flag: both are given.
            event.ki.wScan = key == VK_LSHIFT ? 0x2A : key == VK_RSHIFT ? 0x36 : 0;
            event.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (key == VK_RSHIFT ? KEYEVENTF_EXTENDEDKEY : 0);
        }
        Send(event);
        if (down)
            held.insert(key);
        else
            held.erase(key);
    }
    static void MoveTo(int x, int y)
    {
        ASSERT_TRUE(SetCursorPos(x, y));
        Pump();
        POINT at{};
        GetCursorPos(&at);
        ASSERT_EQ(at.x, x);
        ASSERT_EQ(at.y, y);
    }
    // One frame after the cursor moved by (dx, dy) from where the last frame saw it.
    void Move(int dx, int dy)
    {
        POINT at{};
        GetCursorPos(&at);
        MoveTo(at.x + dx, at.y + dy);
        app.HandleInput();
    }
    const Camera& View() const { return *app.GetCamera(); }

    MainWindow window;
    Win32InputState input;
    InputApplication app;
    std::set<WORD> held;
};

TEST_F(Win32Input, CursorAndButtonsAreTheSystemsOwn)
{
    int x = 0, y = 0;
    MoveTo(123, 45);
    input.CursorPosition(&x, &y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 45);

    EXPECT_FALSE(input.LeftButton());
    Key(VK_LBUTTON, true);
    EXPECT_TRUE(input.LeftButton());
    EXPECT_FALSE(input.RightButton());
    Key(VK_LBUTTON, false);
    input.LeftButton(); // forgets the press since the last query
    EXPECT_FALSE(input.LeftButton());

    Key(VK_RBUTTON, true);
    EXPECT_TRUE(input.RightButton());
    Key(VK_RBUTTON, false);

    // Only the left Shift key counts.
    Key(VK_RSHIFT, true);
    EXPECT_FALSE(input.LeftShift());
    Key(VK_RSHIFT, false);
    Key(VK_LSHIFT, true);
    EXPECT_TRUE(input.LeftShift());
}

TEST_F(Win32Input, LeftDragTurnsTheCamera)
{
    Key(VK_LBUTTON, true);
    Move(10, 5); // 10 right, 5 down: +10 about y, +5 about x
    EXPECT_FLOAT_EQ(View().angleY, 10.0f);
    EXPECT_FLOAT_EQ(View().angleX, 5.0f);
    EXPECT_FLOAT_EQ(View().angleZ, 0.0f);

    Key(VK_LSHIFT, true);
    Move(10, 0); // with left Shift: +10 about z only
    EXPECT_FLOAT_EQ(View().angleZ, 10.0f);
    EXPECT_FLOAT_EQ(View().angleY, 10.0f);
    EXPECT_FLOAT_EQ(View().angleX, 5.0f);
}

TEST_F(Win32Input, RightDragMovesTheCameraAndLeftShiftZooms)
{
    const float z = View().positionZ;
    Key(VK_RBUTTON, true);
    Key(VK_RSHIFT, true); // the right Shift key is no Shift to the viewer
    Move(50, 50);
    EXPECT_FLOAT_EQ(View().positionX, 1.0f);
    EXPECT_FLOAT_EQ(View().positionY, 1.0f);
    EXPECT_FLOAT_EQ(View().positionZ, z);
    Key(VK_RSHIFT, false);

    Key(VK_LSHIFT, true);
    Move(10, 0); // horizontal motion zooms by a fifth of a unit per pixel
    EXPECT_FLOAT_EQ(View().positionZ, z + 2.0f);
    // Wine may take the keyboard's state from the X server again after a move (where no key is
    // down), so the key is pressed again for the next frame.
    Key(VK_LSHIFT, true);
    Move(0, 50); // vertical by a fiftieth
    EXPECT_FLOAT_EQ(View().positionZ, z + 3.0f);
    EXPECT_FLOAT_EQ(View().positionX, 1.0f);
}

TEST_F(Win32Input, MotionWithoutAButtonMovesNothing)
{
    Move(30, -20);
    EXPECT_FLOAT_EQ(View().angleX, 0.0f);
    EXPECT_FLOAT_EQ(View().angleY, 0.0f);
    EXPECT_FLOAT_EQ(View().positionX, 0.0f);
    // The next drag counts from where the cursor is now, not from where the last one ended.
    Key(VK_LBUTTON, true);
    Move(1, 0);
    EXPECT_FLOAT_EQ(View().angleY, 1.0f);
}

} // namespace
