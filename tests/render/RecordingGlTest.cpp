// The recording table itself: every slot installed, arguments shown as the tests
// expect them, answers and state as documented, the previous table restored.
#include "RecordingGl.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// True when no slot of the table is null.
bool EverySlotSet(const GlEntryPoints& table)
{
    constexpr std::size_t count = sizeof(GlEntryPoints) / sizeof(GlProc);
    GlProc slots[count];
    std::memcpy(slots, &table, sizeof table);
    for (GlProc slot : slots)
        if (slot == nullptr)
            return false;
    return true;
}

TEST(RecordingGl, InstallsEverySlotAndRestoresThePreviousTable)
{
    GlEntryPoints before = gl;
    {
        RecordingGl rec;
        EXPECT_TRUE(EverySlotSet(gl));
    }
    EXPECT_EQ(std::memcmp(&before, &gl, sizeof gl), 0);

    InstallNoOpGl();
    EXPECT_TRUE(EverySlotSet(gl));
    gl = before;
}

TEST(RecordingGl, ShowsArgumentsByWhatTheyMean)
{
    RecordingGl rec;
    const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
    const GLfloat direction[] = {0, 0, -1};
    const GLuint names[] = {3, 4};
    const GLushort indices[] = {0, 1, 2};
    gl.glEnable(GL_DEPTH_TEST);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    gl.glBegin(GL_QUADS);
    gl.glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    gl.glOrtho(0, 640, 480, 0, -1, 1);
    gl.glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    gl.glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_CLAMP));
    gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_REPLACE));
    gl.glDeleteTextures(2, names);
    gl.glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, indices);
    gl.glBindTexture(GL_TEXTURE_2D, 1);
    gl.wglMakeCurrent(nullptr, nullptr);
    gl.wglGetProcAddress("glLockArraysEXT");
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glEnable(GL_DEPTH_TEST)",
                               "glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)",
                               "glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA)",
                               "glBegin(GL_QUADS)",
                               "glClearColor(0.2, 0.2, 0.2, 1)",
                               "glOrtho(0, 640, 480, 0, -1, 1)",
                               "glLightfv(GL_LIGHT0, GL_DIFFUSE, [0.8, 0.8, 0.8, 1])",
                               "glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, [0, 0, -1])",
                               "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP)",
                               "glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE)",
                               "glDeleteTextures(2, [3, 4])",
                               "glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, [0, 1, 2])",
                               "glBindTexture(GL_TEXTURE_2D, 1)",
                               "wglMakeCurrent(null, null)",
                               "wglGetProcAddress(\"glLockArraysEXT\")",
                           }));
    EXPECT_EQ(rec.Records()[6].args[2].pointer, diffuse);
    EXPECT_EQ(rec.Count("glLightfv"), 2u);
    EXPECT_EQ(rec.CallsTo({"glBegin", "glBindTexture"}),
              (std::vector<std::string>{"glBegin(GL_QUADS)", "glBindTexture(GL_TEXTURE_2D, 1)"}));
    rec.Clear();
    EXPECT_TRUE(rec.Calls().empty());
}

TEST(RecordingGl, AnswersWithTheChosenValues)
{
    RecordingGl rec;
    rec.SetString(GL_EXTENSIONS, "GL_EXT_compiled_vertex_array");
    rec.SetIntegers(GL_MAX_TEXTURE_SIZE, {512});
    rec.QueueError(GL_INVALID_ENUM);
    rec.SetNextTextureName(7);
    rec.SetMissingProc("glUnlockArraysEXT");
    rec.SetResult("wglCreateContext", 0);

    EXPECT_STREQ(reinterpret_cast<const char*>(gl.glGetString(GL_EXTENSIONS)), "GL_EXT_compiled_vertex_array");
    EXPECT_EQ(gl.glGetString(static_cast<GLenum>(0x8B8C)), nullptr);
    GLint size = -1, units = -1, depth = -1;
    gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    gl.glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
    gl.glGetIntegerv(GL_DEPTH_BITS, &depth);
    EXPECT_EQ(size, 512);
    EXPECT_EQ(units, 2);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLuint textures[2] = {};
    gl.glGenTextures(2, textures);
    EXPECT_EQ(textures[0], 7u);
    EXPECT_EQ(textures[1], 8u);
    EXPECT_EQ(rec.Last("glGenTextures")->args[1].values, (std::vector<double>{7, 8}));

    // Extension slots resolve to recording entries, so what the engine fetches is recorded.
    auto lock = reinterpret_cast<decltype(gl.glLockArraysEXT)>(gl.wglGetProcAddress("glLockArraysEXT"));
    ASSERT_NE(lock, nullptr);
    lock(0, 12);
    EXPECT_EQ(rec.Calls().back(), "glLockArraysEXT(0, 12)");
    EXPECT_EQ(gl.wglGetProcAddress("glUnlockArraysEXT"), nullptr);
    EXPECT_EQ(gl.wglGetProcAddress("glNoSuchFunction"), nullptr);
    EXPECT_EQ(gl.wglCreateContext(nullptr), nullptr);

    EXPECT_TRUE(rec.IsEnabled(GL_DITHER));
    gl.glDisable(GL_DITHER);
    gl.glEnableClientState(GL_VERTEX_ARRAY);
    EXPECT_EQ(gl.glIsEnabled(GL_DITHER), GL_FALSE);
    EXPECT_EQ(gl.glIsEnabled(GL_VERTEX_ARRAY), GL_TRUE);
}

TEST(RecordingGl, KeepsCopiesOfUploadsAndDescriptors)
{
    RecordingGl rec;
    const std::uint8_t pixels[2 * 2 * 3] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    const GlCall* upload = rec.Last("glTexImage2D");
    ASSERT_NE(upload, nullptr);
    EXPECT_EQ(upload->Text(), "glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, <pixels>)");
    EXPECT_EQ(upload->args[8].bytes, std::vector<std::uint8_t>(pixels, pixels + sizeof pixels));

    PixelFormatDescriptor request{};
    request.size = 40;
    request.version = 1;
    request.flags = 0x25;
    request.depthBits = 32;
    request.stencilBits = 8;
    EXPECT_EQ(gl.choosePixelFormat(nullptr, &request), 1);
    EXPECT_EQ(
        rec.Calls().back(),
        "choosePixelFormat(null, {size=40, version=1, flags=0x25, type=0, color=0, depth=32, stencil=8, layer=0})");

    PixelFormatDescriptor generic{};
    generic.flags = PFD_GENERIC_FORMAT;
    rec.SetDescribedFormat(generic);
    PixelFormatDescriptor out{};
    EXPECT_EQ(gl.describePixelFormat(nullptr, 1, sizeof out, &out), 1);
    EXPECT_EQ(out.flags, static_cast<std::uint32_t>(PFD_GENERIC_FORMAT));
}

TEST(RecordingGl, NoOpTableAnswersZeroAndEmpty)
{
    GlEntryPoints before = gl;
    InstallNoOpGl();
    EXPECT_STREQ(reinterpret_cast<const char*>(gl.glGetString(GL_EXTENSIONS)), "");
    GLfloat matrix[16];
    std::memset(matrix, 0xAB, sizeof matrix);
    gl.glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    for (GLfloat v : matrix)
        EXPECT_EQ(v, 0.0f);
    GLuint name = 99;
    gl.glGenTextures(1, &name);
    EXPECT_EQ(name, 0u);
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(gl.wglCreateContext(nullptr), nullptr);
    EXPECT_NE(gl.wglGetProcAddress("glLockArraysEXT"), nullptr);
    gl = before;
}

} // namespace
