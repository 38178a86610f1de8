// Framing scenes of any size: the scale and centre worked out for a camera, the GL calls that
// apply them, and boxes from 5 cm to 1000 units drawn with real GL (SDL offscreen, Mesa),
// where the picture must show the whole box, filling the picture, lit as brightly at every size.
#include "CubeScene.h"
#include "Fixtures.h"

#include "RecordingGl.h"
#include "orvex/render/Camera.h"
#include "orvex/render/HeadlessSurface.h"
#include "orvex/render/ViewFraming.h"
#include "orvex/scene/MeshScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace fixtures;

namespace {

Camera ViewerCamera(float angleX = 0, float angleY = 0)
{
    Camera camera;
    camera.positionZ = 10.0f;
    camera.angleX = angleX;
    camera.angleY = angleY;
    return camera;
}

} // namespace

TEST(ViewFraming, ScaleAndCentreForPointsOfAnySize)
{
    const Camera camera = ViewerCamera();
    // The eight corners of boxes of every size, off the origin: the scale times the size is the
    // same for all of them, and the centre is the box's middle.
    float scaledSize = 0;
    for (float size : {0.01f, 0.05f, 1.0f, 150.0f, 500.0f, 1000.0f}) {
        SCOPED_TRACE(size);
        std::vector<Vector3> corners;
        for (int i = 0; i < 8; ++i)
            corners.push_back({3 * size + (i & 1 ? size : 0), -size + (i & 2 ? size : 0), (i & 4 ? size : 0)});
        const ViewFraming framing = FramePoints(corners.data(), corners.size(), camera, 1024, 768, 0.9f);
        EXPECT_NEAR(framing.centre.x, 3.5f * size, 1e-4f * size);
        EXPECT_NEAR(framing.centre.y, -0.5f * size, 1e-4f * size);
        EXPECT_NEAR(framing.centre.z, 0.5f * size, 1e-4f * size);
        if (scaledSize == 0)
            scaledSize = framing.scale * size;
        EXPECT_NEAR(framing.scale * size, scaledSize, 1e-3f * scaledSize);
    }
    // A unit box seen from 10 units: the near face half as wide as the 0.9 part of the
    // picture's half-height allows (tan 22.5 = 0.414): s / 2 = 0.9 * 0.414 * (10 - s / 2).
    EXPECT_NEAR(scaledSize, 2 * 0.9 * 0.41421356 * 10 / (1 + 0.9 * 0.41421356), 1e-3);

    // A wider picture than the limiting height does not change it; a narrow one does.
    std::vector<Vector3> unit = {{-0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}};
    const float wide = FramePoints(unit.data(), unit.size(), camera, 2000, 768, 0.9f).scale;
    EXPECT_FLOAT_EQ(wide, FramePoints(unit.data(), unit.size(), camera, 1024, 768, 0.9f).scale);
    EXPECT_NEAR(wide, 2 * 0.9f * 0.41421356f * 10, 1e-3f); // a flat square: no near face
    // Taller than wide: the engine widens the horizontal extent, so the height still limits.
    EXPECT_FLOAT_EQ(FramePoints(unit.data(), unit.size(), camera, 300, 600, 0.9f).scale, wide);
}

TEST(ViewFraming, NothingToFrameOrNoWayToFrameItGivesTheIdentity)
{
    const Camera camera = ViewerCamera();
    EXPECT_TRUE(FramePoints(nullptr, 0, camera, 1024, 768, 0.9f).IsIdentity());
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<Vector3> broken = {{inf, 0, 0}, {0, nan, 0}};
    EXPECT_TRUE(FramePoints(broken.data(), broken.size(), camera, 1024, 768, 0.9f).IsIdentity());
    // Non-finite points are skipped among good ones.
    broken.push_back({-1, -1, -1});
    broken.push_back({1, 1, 1});
    const ViewFraming withGood = FramePoints(broken.data(), broken.size(), camera, 1024, 768, 0.9f);
    EXPECT_FALSE(withGood.IsIdentity());
    EXPECT_TRUE(std::isfinite(withGood.scale));
    EXPECT_FLOAT_EQ(withGood.centre.x, 0.0f);

    // One point: moved to the middle, its size kept.
    const Vector3 single = {4, 5, 6};
    const ViewFraming point = FramePoints(&single, 1, camera, 1024, 768, 0.9f);
    EXPECT_FLOAT_EQ(point.scale, 1.0f);
    EXPECT_FLOAT_EQ(point.centre.y, 5.0f);

    // A camera at or behind the near plane from the centre cannot see it at any scale.
    Camera close = ViewerCamera();
    close.positionZ = 0.5f;
    std::vector<Vector3> box = {{-1, -1, -1}, {1, 1, 1}};
    EXPECT_TRUE(FramePoints(box.data(), box.size(), close, 1024, 768, 0.9f).IsIdentity());
    EXPECT_TRUE(FramePoints(box.data(), box.size(), camera, 1024, 768, 0.0f).IsIdentity());
}

TEST(ViewFraming, BeginAndEndScaleMoveAndRenormaliseOnlyWhenFraming)
{
    RecordingGl recording;
    ViewFraming identity;
    identity.Begin();
    identity.End();
    EXPECT_TRUE(recording.Records().empty());

    ViewFraming framing;
    framing.scale = 4.0f;
    framing.centre = {1.0f, 2.0f, -3.0f};
    framing.Begin();
    framing.End();
    EXPECT_EQ(recording.Calls(), (std::vector<std::string>{"glScalef(4, 4, 4)", "glTranslatef(-1, -2, 3)",
                                                           "glEnable(GL_NORMALIZE)", "glDisable(GL_NORMALIZE)"}));

    // Moved but not scaled: the normals keep their length, so nothing is renormalised.
    recording.Clear();
    framing.scale = 1.0f;
    framing.Begin();
    framing.End();
    EXPECT_EQ(recording.Calls(), (std::vector<std::string>{"glTranslatef(-1, -2, 3)"}));
}

struct FramedBox {
    const char* name;
    float size;
    float angleX, angleY;
    int width, height;
};

void PrintTo(const FramedBox& box, std::ostream* out)
{
    *out << box.name;
}

class FramedBoxes : public ::testing::TestWithParam<FramedBox> {};

// The box drawn lit and untextured through the viewer's camera with the framing: nothing of it
// touches the picture's border, it spans most of the limiting extent, and the face towards the
// camera is as bright as a unit box's.
TEST_P(FramedBoxes, FillTheLimitingExtentWithoutLeavingThePicture)
{
    const FramedBox& param = GetParam();
    const auto surface = MakeHeadlessSurface(param.width, param.height);
    ASSERT_TRUE(surface->Ready());
    TempDir dir;
    const std::string material = std::string("framed-") + param.name;
    const float size = param.size;
    ASSERT_TRUE(WriteScene(dir.File("box.mes"), testscenes::CubeScene(size, {-4 * size, 2 * size, size}, material)));
    MeshScene scene;
    ASSERT_TRUE(scene.Load(dir.File("box.mes").c_str()));
    scene.Update();

    Camera camera = ViewerCamera(param.angleX, param.angleY);
    const ViewFraming framing = FrameScene(scene, camera, param.width, param.height, 0.9f);
    ASSERT_FALSE(framing.IsIdentity());

    GlDevice& device = surface->Device();
    gl.glDisable(GL_TEXTURE_2D); // no texture of the material: its lit colour alone
    device.BeginFrame();
    device.SetPerspective(param.width, param.height);
    camera.Apply();
    framing.Begin();
    scene.Render();
    framing.End();
    const std::vector<std::uint8_t> rgba = surface->ReadPixels();
    device.EndFrame();
    gl.glEnable(GL_TEXTURE_2D);
    ASSERT_EQ(rgba.size(), static_cast<std::size_t>(param.width) * param.height * 4);

    auto background = [](const std::uint8_t* p) {
        return std::abs(p[0] - 51) <= 1 && std::abs(p[1] - 51) <= 1 && std::abs(p[2] - 51) <= 1;
    };
    int left = param.width, right = -1, top = param.height, bottom = -1;
    for (int y = 0; y < param.height; ++y)
        for (int x = 0; x < param.width; ++x)
            if (!background(&rgba[(static_cast<std::size_t>(y) * param.width + x) * 4])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_GT(left, 0);
    EXPECT_GT(top, 0);
    EXPECT_LT(right, param.width - 1);
    EXPECT_LT(bottom, param.height - 1);
    // The engine's projection makes the height the limiting extent (the wider side is always
    // the horizontal one); the box fills at least three quarters of it.
    EXPECT_GT(bottom - top + 1, param.height * 3 / 4) << left << "," << top << " to " << right << "," << bottom;

    // Straight on, the face towards the camera is lit as a unit box's is: 0.2 ambient light on
    // 0.2 ambient material plus 0.8 diffuse on the white colour material, about 0.84 of 255.
    if (param.angleX == 0 && param.angleY == 0) {
        const std::uint8_t* middle =
            &rgba[(static_cast<std::size_t>(param.height / 2) * param.width + param.width / 2) * 4];
        EXPECT_NEAR(middle[0], 214, 12) << "lighting follows the scale";
    }
}

INSTANTIATE_TEST_SUITE_P(ViewFraming, FramedBoxes,
                         ::testing::Values(FramedBox{"FiveCentimetres", 0.05f, 0, 0, 320, 240},
                                           FramedBox{"OneUnit", 1.0f, 0, 0, 320, 240},
                                           FramedBox{"FiveHundredUnits", 500.0f, 0, 0, 320, 240},
                                           FramedBox{"ThousandUnitsThreeQuarter", 1000.0f, 25, 45, 320, 240},
                                           FramedBox{"HundredthThreeQuarterTall", 0.01f, 25, -45, 160, 320}),
                         [](const ::testing::TestParamInfo<FramedBox>& info) { return std::string(info.param.name); });
