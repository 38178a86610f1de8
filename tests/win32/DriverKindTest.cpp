// The driver kinds of the Windows build on the system's libraries: the library names, the
// probe of OPENGL32.DLL on a hidden window, the fall-backs when the software and 3dfx
// libraries are absent, and where the table's entries come from.
#include "orvex/render/GlDriver.h"
#include "orvex/win32/Win32HeadlessSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <string>

namespace {

GlProc Export(const char* module, const char* name)
{
    HMODULE handle = GetModuleHandleA(module);
    return handle ? reinterpret_cast<GlProc>(GetProcAddress(handle, name)) : nullptr;
}

const char* KindName(GlDriverKind kind)
{
    switch (kind) {
    case DriverDefault:
        return "DriverDefault";
    case Driver3dfxStandalone:
        return "Driver3dfxStandalone";
    case DriverSgiSoftware:
        return "DriverSgiSoftware";
    }
    return "?";
}

class Win32Driver : public ::testing::Test {
protected:
    void SetUp() override { win32.Init(); }
    void TearDown() override
    {
        UnloadDriver();
        ResetDriverState();
        win32.Shutdown();
    }
    Win32Platform win32;
};

TEST_F(Win32Driver, LibraryNamesAreTheWindowsOnes)
{
    EXPECT_STREQ(kSystemGlLibrary, "OPENGL32.DLL");
    EXPECT_STREQ(kSgiSoftwareGlLibrary, "OPENGL.DLL");
    EXPECT_STREQ(k3dfxVoodooGlLibrary, "3DFXVGL.DLL");
    EXPECT_STREQ(k3dfxGlLibrary, "3DFXOGL.DLL");
    EXPECT_STREQ(kGlideLibrary, "glide2x.dll");
    EXPECT_STREQ(kWindowSystemModule, "GDI32.DLL");
}

TEST_F(Win32Driver, AbsentLibrariesAreRefusedQuietly)
{
    // Neither SGI's software driver nor the 3dfx ones nor Glide exist on current Windows.
    EXPECT_EQ(ProbeDriver(kSgiSoftwareGlLibrary), 0);
    EXPECT_EQ(ProbeDriver(k3dfxVoodooGlLibrary), 0);
    EXPECT_EQ(ProbeGlideBoards(), 0);
    // Asked for directly, the software kind cannot load here.
    EXPECT_EQ(LoadDriver(DriverSgiSoftware), 0);
    EXPECT_EQ(LoadDriver(static_cast<GlDriverKind>(5)), 0);
}

TEST_F(Win32Driver, SystemLibraryIsProbedOnAHiddenWindowAndChosen)
{
    // The probe's answer decides: an installable client driver (or generic acceleration)
    // keeps the default kind; a purely generic format would fall to OPENGL.DLL, which is
    // absent, so the load would fail.
    const int accepted = ProbeDriver(kSystemGlLibrary);
    ASSERT_EQ(accepted, 1) << "OPENGL32.DLL offers only a generic software format here";

    Win32HeadlessSurface surface(32, 32);
    ASSERT_TRUE(surface.Ready());
    EXPECT_EQ(GetDriverKind(), DriverDefault);
    EXPECT_STREQ(surface.Device().GetDriverName(), "Default OpenGL Driver");
    EXPECT_EQ(glCapabilities.pixelFormatAccelerated, 1);

    // Core and wgl entries from OPENGL32.DLL, pixel formats and swaps from GDI32.DLL.
    EXPECT_EQ(reinterpret_cast<GlProc>(gl.glBegin), Export("OPENGL32.DLL", "glBegin"));
    EXPECT_EQ(reinterpret_cast<GlProc>(gl.wglCreateContext), Export("OPENGL32.DLL", "wglCreateContext"));
    EXPECT_EQ(reinterpret_cast<GlProc>(gl.choosePixelFormat), Export("GDI32.DLL", "ChoosePixelFormat"));
    EXPECT_EQ(reinterpret_cast<GlProc>(gl.swapBuffers), Export("GDI32.DLL", "SwapBuffers"));
    EXPECT_NE(gl.wglGetCurrentContext(), nullptr);

    const char* renderer = reinterpret_cast<const char*>(gl.glGetString(GL_RENDERER));
    ASSERT_NE(renderer, nullptr);
    // A compatibility context: an extension string, and the rows it holds detected.
    EXPECT_EQ(glCapabilities.hasMultitexture, 1);
    EXPECT_GE(glCapabilities.maxTextureSize, 1024);
    std::cout << "[ driver   ] " << KindName(GetDriverKind()) << " \"" << surface.Device().GetDriverName() << "\" from "
              << kSystemGlLibrary << "; GL_RENDERER " << renderer << "; swap control " << glCapabilities.hasSwapControl
              << std::endl;
}

TEST_F(Win32Driver, ThreeDfxWithoutABoardFallsBackToTheDefault)
{
    ASSERT_EQ(LoadDriver(Driver3dfxStandalone), 1);
    EXPECT_EQ(GetDriverKind(), DriverDefault);
    EXPECT_STREQ(GetDriverName(GetDriverKind()), "Default OpenGL Driver");
}

} // namespace
