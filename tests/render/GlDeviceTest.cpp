// The rendering device's GL sequences, display modes and life cycle, on the recording table.
#include "orvex/render/GlDevice.h"
#include "FakePlatform.h"
#include "RecordingGl.h"
#include "orvex/render/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class GlDeviceTest : public ::testing::Test {
protected:
    FakePlatform platform;
    RecordingGl rec;
    GlDevice device;
    char window = 0;
};

const std::vector<std::string> kDefaultStateHead = {
    "glClearColor(0.2, 0.2, 0.2, 1)",
    "glClearDepth(1)",
    "glDisable(GL_BLEND)",
    "glDisable(GL_DITHER)",
    "glDisable(GL_LIGHTING)",
    "glDisable(GL_LIGHT0)",
    "glEnable(GL_DEPTH_TEST)",
    "glDepthFunc(GL_LEQUAL)",
    "glEnable(GL_CULL_FACE)",
    "glFrontFace(GL_CW)",
    "glCullFace(GL_BACK)",
    "glShadeModel(GL_SMOOTH)",
    "glColorMaterial(GL_FRONT, GL_DIFFUSE)",
    "glEnable(GL_COLOR_MATERIAL)",
    "glEnable(GL_LIGHTING)",
    "glEnable(GL_LIGHT0)",
    "glLightfv(GL_LIGHT0, GL_DIFFUSE, [0.8, 0.8, 0.8, 1])",
    "glLightfv(GL_LIGHT0, GL_SPECULAR, [0.1, 0.1, 0.1, 1])",
    "glLightfv(GL_LIGHT0, GL_AMBIENT, [0.2, 0.2, 0.2, 1])",
    "glLightfv(GL_LIGHT0, GL_POSITION, [0, 0, 10, 1])",
    "glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 128)",
    "glEnable(GL_TEXTURE_2D)",
};
const std::vector<std::string> kDefaultStateTail = {
    "glPolygonMode(GL_FRONT_AND_BACK, GL_FILL)",   "glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST)",
    "glEnableClientState(GL_VERTEX_ARRAY)",        "glEnableClientState(GL_NORMAL_ARRAY)",
    "glEnableClientState(GL_TEXTURE_COORD_ARRAY)", "glEnableClientState(GL_VERTEX_WEIGHT_ARRAY_EXT)",
};

std::vector<std::string> DefaultState(bool envAdd)
{
    std::vector<std::string> calls = kDefaultStateHead;
    if (envAdd)
        calls.push_back("glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD)");
    calls.insert(calls.end(), kDefaultStateTail.begin(), kDefaultStateTail.end());
    return calls;
}

TEST_F(GlDeviceTest, DefaultStateInOrder)
{
    // Without texture-env-add (and without vertex weighting: the weight array is enabled anyway).
    device.SetDefaultState();
    EXPECT_EQ(rec.Calls(), DefaultState(false));

    glCapabilities.hasTextureEnvAdd = 1;
    rec.Clear();
    device.SetDefaultState();
    EXPECT_EQ(rec.Calls(), DefaultState(true));
}

TEST_F(GlDeviceTest, FrameViewportAndOrtho)
{
    ASSERT_EQ(LoadDriver(DriverDefault), 1);
    ASSERT_TRUE(device.Create(&window));
    rec.Clear();
    device.SetViewport(0, 0, 1024, 768);
    device.BeginFrame();
    device.SetOrtho(1024, 768);
    device.EndFrame();
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glViewport(0, 0, 1024, 768)",
                               "glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)",
                               "glPushMatrix()",
                               "glMatrixMode(GL_PROJECTION)",
                               "glLoadIdentity()",
                               "glOrtho(0, 1024, 768, 0, -1, 1)",
                               "glMatrixMode(GL_MODELVIEW)",
                               "glLoadIdentity()",
                               "glPopMatrix()",
                               "glFinish()",
                               "swapBuffers(<handle>)",
                           }));
    EXPECT_EQ(rec.Records().back().args[0].pointer, &platform.binding.window);
}

// glFrustum's left, right, bottom, top for a window.
std::vector<double> Frustum(RecordingGl& rec, GlDevice& device, int width, int height)
{
    rec.Clear();
    device.SetPerspective(width, height);
    EXPECT_EQ(rec.CallsTo({"glMatrixMode", "glLoadIdentity"}),
              (std::vector<std::string>{"glMatrixMode(GL_PROJECTION)", "glLoadIdentity()", "glMatrixMode(GL_MODELVIEW)",
                                        "glLoadIdentity()"}));
    const GlCall* frustum = rec.Last("glFrustum");
    EXPECT_EQ(rec.Records()[2].name, "glFrustum");
    std::vector<double> values;
    if (frustum == nullptr)
        return values;
    for (const GlArg& arg : frustum->args)
        values.push_back(arg.number);
    return values;
}

TEST_F(GlDeviceTest, PerspectiveKeepsTheWiderExtentHorizontal)
{
    const double top = std::tan(45.0 * M_PI / 360.0);
    struct Case {
        int width, height;
        double aspect;
    };
    for (Case c : {Case{1024, 768, 1024.0 / 768.0}, Case{400, 800, 2.0}, Case{300, 300, 1.0}, Case{640, 0, 640.0}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        std::vector<double> f = Frustum(rec, device, c.width, c.height);
        ASSERT_EQ(f.size(), 6u);
        EXPECT_NEAR(f[0], -top * c.aspect, 1e-12);
        EXPECT_NEAR(f[1], top * c.aspect, 1e-12);
        EXPECT_NEAR(f[2], -top, 1e-12);
        EXPECT_NEAR(f[3], top, 1e-12);
        EXPECT_EQ(f[4], 1.0);
        EXPECT_EQ(f[5], 5000.0);
    }
}

TEST_F(GlDeviceTest, DisplayModeKeepsTheDesktopDepth)
{
    EXPECT_TRUE(device.SetDisplayMode(1024, 768, 16));
    platform.display.accept = false;
    EXPECT_FALSE(device.SetDisplayMode(800, 600, 32));
    device.RestoreDisplayMode();
    EXPECT_EQ(platform.display.log, (std::vector<std::string>{"change 1024x768x32", "change 800x600x32", "restore"}));

    SetPlatform(Platform{}); // no display service: nothing changes
    EXPECT_FALSE(device.SetDisplayMode(1024, 768, 32));
    device.RestoreDisplayMode();
}

TEST_F(GlDeviceTest, CreateAndDestroy)
{
    ASSERT_TRUE(device.Create(&window));
    EXPECT_STREQ(device.GetDriverName(), "Default OpenGL Driver");
    EXPECT_EQ(rec.CurrentSurface(), &platform.binding.window);
    rec.Clear();
    platform.libraries.log.clear();
    device.Destroy();
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{"wglMakeCurrent(null, null)", "wglDeleteContext(<handle>)"}));
    EXPECT_EQ(platform.binding.log.back(), "release window");
    EXPECT_EQ(platform.libraries.log, (std::vector<std::string>{std::string("free ") + kSystemGlLibrary}));
    // Again, and on a device that was never created: nothing more is released.
    rec.Clear();
    device.Destroy();
    GlDevice().Destroy();
    EXPECT_TRUE(rec.Calls().empty());
    EXPECT_EQ(platform.libraries.log.size(), 1u);
}

TEST_F(GlDeviceTest, CreateFailsWithoutDriverSurfaceOrContext)
{
    platform.libraries.present.clear();
    EXPECT_FALSE(device.Create(&window));
    device.Destroy();

    platform.libraries.present = {kSystemGlLibrary};
    platform.binding.windowHasSurface = false;
    EXPECT_FALSE(device.Create(&window));
    device.Destroy();

    platform.binding.windowHasSurface = true;
    rec.SetResult("wglCreateContext", 0);
    EXPECT_FALSE(device.Create(&window));
    // The surface was taken and is given back by Destroy, with the window field still
    // null since Create stores the window only on success.
    platform.binding.log.clear();
    device.Destroy();
    EXPECT_EQ(platform.binding.log, (std::vector<std::string>{"release screen"}));
}

TEST(Camera, ResetAndApply)
{
    RecordingGl rec;
    Camera camera;
    EXPECT_EQ(camera.positionZ, 5.0f);
    camera.Apply();
    camera.angleX = 10;
    camera.angleY = 20;
    camera.angleZ = 30;
    camera.positionX = 1;
    camera.positionY = 2;
    camera.positionZ = 50;
    camera.Apply();
    EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                               "glLoadIdentity()",
                               "glTranslatef(-0, -0, -5)",
                               "glRotatef(0, 1, 0, 0)",
                               "glRotatef(0, 0, 1, 0)",
                               "glRotatef(0, 0, 0, 1)",
                               "glLoadIdentity()",
                               "glTranslatef(-1, -2, -50)",
                               "glRotatef(10, 1, 0, 0)",
                               "glRotatef(20, 0, 1, 0)",
                               "glRotatef(30, 0, 0, 1)",
                           }));
    camera.Reset();
    EXPECT_EQ(camera.angleX, 0.0f);
    EXPECT_EQ(camera.angleY, 0.0f);
    EXPECT_EQ(camera.angleZ, 0.0f);
    EXPECT_EQ(camera.positionX, 0.0f);
    EXPECT_EQ(camera.positionY, 0.0f);
    EXPECT_EQ(camera.positionZ, 5.0f);
}

} // namespace
