// The entry-point list against the documented order of resolution, and the tables
// generated from it: the no-op table and the recording table cover every slot.
#include "FakePlatform.h"
#include "RecordingGl.h"
#include "orvex/render/GlDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

namespace {

// Written out on purpose rather than taken from the list: the driver must ask for
// exactly these names, in this order.
// clang-format off
const std::vector<std::string> kCoreNames{
    "glAlphaFunc", "glBegin", "glBindTexture", "glBlendFunc", "glClear", "glClearColor", "glClearDepth",
    "glColor3f", "glColor3fv", "glColor4f", "glColor4fv", "glColor3ub", "glColor3ubv", "glColorPointer",
    "glColorMaterial", "glCullFace", "glDeleteTextures", "glDepthFunc", "glDisable", "glDisableClientState",
    "glDrawArrays", "glDrawElements", "glEnable", "glEnableClientState", "glEnd", "glFinish", "glFrontFace",
    "glFrustum", "glGenTextures", "glGetError", "glGetFloatv", "glGetIntegerv", "glGetString", "glHint",
    "glInterleavedArrays", "glIsEnabled", "glLightf", "glLightfv", "glLoadIdentity", "glLoadMatrixf",
    "glMaterialf", "glMaterialfv", "glMatrixMode", "glMultMatrixf", "glNormal3f", "glNormal3fv",
    "glNormalPointer", "glOrtho", "glPixelStorei", "glPolygonMode", "glPolygonOffset", "glPopMatrix",
    "glPushMatrix", "glRotatef", "glScalef", "glShadeModel", "glStencilFunc", "glStencilMask", "glStencilOp",
    "glTexCoord2f", "glTexCoord2fv", "glTexCoord3f", "glTexCoord3fv", "glTexCoordPointer", "glTexEnvf",
    "glTexEnvfv", "glTexGenf", "glTexGenfv", "glTexGeni", "glTexGeniv", "glTexImage2D", "glTexParameterf",
    "glTranslatef", "glVertex2f", "glVertex3f", "glVertex3fv", "glVertex4f", "glVertexPointer", "glViewport",
    "wglCreateContext", "wglDeleteContext", "wglGetCurrentContext", "wglGetCurrentDC", "wglMakeCurrent",
    "wglGetProcAddress"};
const std::vector<std::string> kSystemPixelFormatNames{"ChoosePixelFormat", "DescribePixelFormat",
                                                       "GetPixelFormat", "SetPixelFormat", "SwapBuffers"};
const std::vector<std::string> kDriverPixelFormatNames{"wglChoosePixelFormat", "wglDescribePixelFormat",
                                                       "wglGetPixelFormat", "wglSetPixelFormat", "wglSwapBuffers"};
// clang-format on

std::vector<std::string> Joined(std::initializer_list<const std::vector<std::string>*> parts)
{
    std::vector<std::string> all;
    for (const auto* part : parts)
        all.insert(all.end(), part->begin(), part->end());
    return all;
}

TEST(GlEntryPointList, LoadAsksForTheCoreNamesInOrderThenThePixelFormatSlots)
{
    ASSERT_EQ(kCoreNames.size(), 79u + 6u);
    // The probe's two plain lookups come first.
    const std::vector<std::string> probe{"wglChoosePixelFormat", "wglDescribePixelFormat"};
    struct Case {
        std::uint32_t describedFlags;
        GlDriverKind kind;
        const std::vector<std::string>* pixelFormatNames;
    };
    for (Case c : {Case{0, DriverDefault, &kSystemPixelFormatNames},
                   Case{PFD_GENERIC_FORMAT, DriverSgiSoftware, &kDriverPixelFormatNames}}) {
        SCOPED_TRACE(c.kind);
        FakePlatform platform;
        RecordingGl rec;
        rec.SetDescribedFormat(FakePlatform::Format(c.describedFlags));
        ASSERT_EQ(LoadDriver(DriverDefault), 1);
        EXPECT_EQ(GetDriverKind(), c.kind);
        EXPECT_EQ(platform.libraries.lookups, Joined({&probe, &kCoreNames, c.pixelFormatNames}));
        EXPECT_TRUE(platform.messages.shown.empty());
        // Each name landed in its own slot.
        EXPECT_EQ(reinterpret_cast<GlProc>(gl.glAlphaFunc), RecordingGl::Entry("glAlphaFunc"));
        EXPECT_EQ(reinterpret_cast<GlProc>(gl.glViewport), RecordingGl::Entry("glViewport"));
        EXPECT_EQ(reinterpret_cast<GlProc>(gl.wglGetProcAddress), RecordingGl::Entry("wglGetProcAddress"));
        EXPECT_EQ(reinterpret_cast<GlProc>(gl.swapBuffers), RecordingGl::Entry("swapBuffers"));
        UnloadDriver();
    }
}

// Calls a slot with every argument zero or null; true when it answers zero (or nothing).
template <typename R, typename... A>
bool AnswersZero(R(ORVEX_GL_APIENTRY* slot)(A...))
{
    if constexpr (std::is_void_v<R>) {
        std::apply(slot, std::tuple<A...>{});
        return true;
    } else {
        return std::apply(slot, std::tuple<A...>{}) == R{};
    }
}

TEST(GlEntryPointList, EverySlotOfTheNoOpTableDoesNothingAndAnswersZero)
{
    const GlEntryPoints table = NoOpGlEntryPoints();
    std::vector<std::string> unset, nonZero;
#define CHECK_NO_OP(ret, name, ...) \
    if (table.name == nullptr) \
        unset.push_back(#name); \
    else if (!AnswersZero(table.name)) \
        nonZero.push_back(#name);
    ORVEX_GL_ENTRY_POINTS(CHECK_NO_OP, CHECK_NO_OP, CHECK_NO_OP, CHECK_NO_OP)
#undef CHECK_NO_OP
    EXPECT_EQ(unset, std::vector<std::string>{});
    EXPECT_EQ(nonZero, std::vector<std::string>{});

    // Outputs are left as they were.
    GLint value = 7;
    table.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
    EXPECT_EQ(value, 7);
}

TEST(GlEntryPointList, TheRecordingTableAnswersEveryNameWithTheInstalledSlot)
{
    RecordingGl rec;
    std::vector<std::string> wrong;
#define CHECK_RECORDED(ret, name, ...) \
    if (RecordingGl::Entry(#name) == nullptr || RecordingGl::Entry(#name) != reinterpret_cast<GlProc>(gl.name)) \
        wrong.push_back(#name);
    ORVEX_GL_ENTRY_POINTS(CHECK_RECORDED, CHECK_RECORDED, CHECK_RECORDED, CHECK_RECORDED)
#undef CHECK_RECORDED
    EXPECT_EQ(wrong, std::vector<std::string>{});

    // A call through a slot is recorded under the slot's name, with one argument per letter.
    gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    gl.glUnlockArraysEXT();
    gl.swapBuffers(nullptr);
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, null)",
                               "glUnlockArraysEXT()", "swapBuffers(null)"}));
}

} // namespace
