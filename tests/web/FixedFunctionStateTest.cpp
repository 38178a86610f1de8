// The fixed-function layer's own state: matrices, lights, colour material, enables, texture
// completeness and the GL errors of refused arguments.
#include "orvex/web/FixedFunctionState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::array<float, 4> Apply(const GlMatrix& m, float x, float y, float z)
{
    return Transform(m, {x, y, z, 1});
}

void ExpectNear4(const std::array<float, 4>& actual, const std::array<float, 4>& expected)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "component " << i;
}

TEST(FixedFunctionMath, ProjectionsMapTheirVolumesOntoClipSpace)
{
    // The viewer's pixel projection: (0, 0) is the top-left corner, (w, h) the bottom right.
    const GlMatrix ortho = Ortho(0, 1024, 768, 0, -1, 1);
    ExpectNear4(Apply(ortho, 0, 0, 0), {-1, 1, 0, 1});
    ExpectNear4(Apply(ortho, 1024, 768, 0), {1, -1, 0, 1});

    // A frustum's near corners land on the clip cube's corners, its far plane on z = w.
    const GlMatrix frustum = Frustum(-2, 2, -1, 1, 1, 5000);
    const std::array<float, 4> nearCorner = Apply(frustum, 2, 1, -1);
    EXPECT_NEAR(nearCorner[0] / nearCorner[3], 1, 1e-5f);
    EXPECT_NEAR(nearCorner[1] / nearCorner[3], 1, 1e-5f);
    EXPECT_NEAR(nearCorner[2] / nearCorner[3], -1, 1e-5f);
    const std::array<float, 4> farPoint = Apply(frustum, 0, 0, -5000);
    EXPECT_NEAR(farPoint[2] / farPoint[3], 1, 1e-4f);
}

TEST(FixedFunctionMath, RotationsFollowGlRotate)
{
    // The camera's edge case: 90 degrees about y carries (1, 0, 0) to (0, 0, -1).
    ExpectNear4(Apply(Rotation(90, 0, 1, 0), 1, 0, 0), {0, 0, -1, 1});
    // The axis need not be of unit length; a zero axis turns nothing.
    EXPECT_EQ(Rotation(30, 0, 2, 0), Rotation(30, 0, 1, 0));
    EXPECT_EQ(Rotation(30, 0, 0, 0), GlMatrix{});
    // glTranslate then glRotate: the point is turned first, then moved.
    const GlMatrix m = Multiply(Translation(0, 0, -10), Rotation(90, 0, 0, 1));
    ExpectNear4(Apply(m, 1, 0, 0), {0, 1, -10, 1});
}

TEST(FixedFunctionMath, NormalsUseTheInverseTransposeWithoutRenormalising)
{
    // Stretching x by 2 halves a normal along x; GL leaves it unnormalised.
    const std::array<float, 9> n = NormalMatrix(Scaling(2, 1, 1));
    EXPECT_FLOAT_EQ(n[0], 0.5f);
    EXPECT_FLOAT_EQ(n[4], 1.0f);
    // A rotation is its own inverse transpose; a translation does not touch normals.
    const GlMatrix r = Multiply(Translation(5, 6, 7), Rotation(40, 1, 2, 3));
    const std::array<float, 9> rn = NormalMatrix(r);
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            EXPECT_NEAR(rn[column * 3 + row], r.At(row, column), 1e-5f);
    EXPECT_EQ(NormalMatrix(Scaling(0, 1, 1)), (std::array<float, 9>{}));
}

TEST(FixedFunctionState, MatrixStacksKeepTheirDepthAndReportOverflow)
{
    FixedFunctionState s;
    s.MultiplyMatrix(Translation(1, 2, 3));
    for (int i = 1; i < kModelViewStackDepth; ++i)
        s.PushMatrix();
    EXPECT_EQ(s.TakeError(), GL_NO_ERROR);
    s.PushMatrix();
    // The first error stays until it is taken.
    s.MatrixMode(GL_LIGHTING);
    EXPECT_EQ(s.TakeError(), GL_STACK_OVERFLOW);
    EXPECT_EQ(s.TakeError(), GL_NO_ERROR);
    for (int i = 1; i < kModelViewStackDepth; ++i)
        s.PopMatrix();
    EXPECT_EQ(s.Top(GL_MODELVIEW), Translation(1, 2, 3));
    s.PopMatrix();
    EXPECT_EQ(s.TakeError(), GL_STACK_UNDERFLOW);

    // Each mode has its own stack.
    s.MatrixMode(GL_PROJECTION);
    s.MultiplyMatrix(Scaling(2, 2, 2));
    EXPECT_EQ(s.Top(GL_MODELVIEW), Translation(1, 2, 3));
    EXPECT_EQ(s.Top(GL_PROJECTION), Scaling(2, 2, 2));
    s.MatrixMode(GL_LIGHTING);
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);
    EXPECT_EQ(s.GetMatrixMode(), static_cast<GLenum>(GL_PROJECTION));
}

TEST(FixedFunctionState, LightsArePlacedByTheModelviewOfTheMoment)
{
    FixedFunctionState s;
    // The device's default state sets the light under the identity: it stays at (0, 0, 10).
    const float position[] = {0, 0, 10, 1};
    s.Light(GL_LIGHT0, GL_POSITION, position, false);
    // A camera moved afterwards does not move it.
    s.MultiplyMatrix(Translation(0, 0, -10));
    EXPECT_EQ(s.GetLight(0).position, (std::array<float, 4>{0, 0, 10, 1}));
    // Set under the camera, it is carried into eye space; a direction ignores the translation.
    s.Light(GL_LIGHT1, GL_POSITION, position, false);
    EXPECT_EQ(s.GetLight(1).position, (std::array<float, 4>{0, 0, 0, 1}));
    const float direction[] = {0, 0, -1};
    s.MultiplyMatrix(Rotation(90, 0, 1, 0));
    s.Light(GL_LIGHT1, GL_SPOT_DIRECTION, direction, false);
    EXPECT_NEAR(s.GetLight(1).spotDirection[0], -1, 1e-6f);
    EXPECT_NEAR(s.GetLight(1).spotDirection[2], 0, 1e-6f);

    // Light 0 starts white, the others dark.
    EXPECT_EQ(s.GetLight(0).diffuse, (Color4{1, 1, 1, 1}));
    EXPECT_EQ(s.GetLight(3).diffuse, (Color4{0, 0, 0, 1}));

    // Refused values change nothing.
    const float cutoff91 = 91, cutoff180 = 180, negative = -1;
    s.Light(GL_LIGHT0, GL_SPOT_CUTOFF, &cutoff91, true);
    EXPECT_EQ(s.TakeError(), GL_INVALID_VALUE);
    s.Light(GL_LIGHT0, GL_SPOT_CUTOFF, &cutoff180, true);
    s.Light(GL_LIGHT0, GL_LINEAR_ATTENUATION, &negative, true);
    EXPECT_EQ(s.TakeError(), GL_INVALID_VALUE);
    s.Light(GL_LIGHT0, GL_POSITION, position, true); // glLightf takes scalars only
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);
    s.Light(GL_LIGHT0 + kMaxLights, GL_SPOT_CUTOFF, &cutoff180, true);
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);
    EXPECT_EQ(s.GetLight(0).spotCutoff, 180);
    EXPECT_EQ(s.GetLight(0).linearAttenuation, 0);
}

TEST(FixedFunctionState, ShadingPacksTheEnabledLightsInOrder)
{
    FixedFunctionState s;
    const float red[] = {1, 0, 0, 1};
    s.Light(GL_LIGHT2, GL_DIFFUSE, red, false);
    s.SetCapability(GL_LIGHT2, true);
    s.SetCapability(GL_LIGHT0, true);
    s.SetCapability(GL_LIGHTING, true);
    const ShadingInputs shading = s.Shading();
    EXPECT_TRUE(shading.lighting);
    ASSERT_EQ(shading.lightCount, 2);
    EXPECT_EQ(shading.lights[0].diffuse, (Color4{1, 1, 1, 1}));
    EXPECT_EQ(shading.lights[1].diffuse, (Color4{1, 0, 0, 1}));
    // GL's scene ambient, which the engine never changes.
    EXPECT_EQ(shading.sceneAmbient, (Color4{0.2f, 0.2f, 0.2f, 1}));
}

TEST(FixedFunctionState, ColorMaterialTracksTheCurrentColourOnItsFaceOnly)
{
    FixedFunctionState s;
    // The device's default state: front diffuse follows the colour.
    s.ColorMaterial(GL_FRONT, GL_DIFFUSE);
    s.Color(0.5f, 0.25f, 1, 1);
    s.SetCapability(GL_COLOR_MATERIAL, true); // picks up the colour at once
    EXPECT_EQ(s.FrontMaterial().diffuse, (Color4{0.5f, 0.25f, 1, 1}));
    EXPECT_EQ(s.BackMaterial().diffuse, (Color4{0.8f, 0.8f, 0.8f, 1}));

    // A material's own diffuse reaches the untracked back face only; ambient goes to both.
    const float green[] = {0, 1, 0, 1};
    s.Material(GL_FRONT_AND_BACK, GL_DIFFUSE, green, false);
    s.Material(GL_FRONT_AND_BACK, GL_AMBIENT, green, false);
    EXPECT_EQ(s.FrontMaterial().diffuse, (Color4{0.5f, 0.25f, 1, 1}));
    EXPECT_EQ(s.BackMaterial().diffuse, (Color4{0, 1, 0, 1}));
    EXPECT_EQ(s.FrontMaterial().ambient, (Color4{0, 1, 0, 1}));

    ShadingInputs shading = s.Shading();
    EXPECT_TRUE(shading.colorMaterial.diffuse);
    EXPECT_FALSE(shading.colorMaterial.ambient);

    // Switched off, the material keeps the last colour and takes its own values again.
    s.SetCapability(GL_COLOR_MATERIAL, false);
    s.Color(1, 1, 1, 1);
    EXPECT_EQ(s.FrontMaterial().diffuse, (Color4{0.5f, 0.25f, 1, 1}));
    s.Material(GL_FRONT, GL_DIFFUSE, green, false);
    EXPECT_EQ(s.FrontMaterial().diffuse, (Color4{0, 1, 0, 1}));
    EXPECT_FALSE(s.Shading().colorMaterial.diffuse);

    // Tracking the back face leaves one-sided lighting on the front material.
    s.ColorMaterial(GL_BACK, GL_AMBIENT_AND_DIFFUSE);
    s.SetCapability(GL_COLOR_MATERIAL, true);
    shading = s.Shading();
    EXPECT_FALSE(shading.colorMaterial.diffuse);
    EXPECT_EQ(s.BackMaterial().ambient, (Color4{1, 1, 1, 1}));
}

TEST(FixedFunctionState, CapabilitiesTheLayerLacksAreRefused)
{
    FixedFunctionState s;
    EXPECT_TRUE(s.IsEnabled(GL_DITHER)); // on in a new GL context
    EXPECT_FALSE(s.SetCapability(GL_FOG, true));
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);
    EXPECT_FALSE(s.IsEnabled(GL_FOG));
    EXPECT_TRUE(s.SetCapability(GL_BLEND, true));
    EXPECT_TRUE(s.IsEnabled(GL_BLEND));
    EXPECT_EQ(KindOfCapability(GL_BLEND), CapabilityKind::Raster);
    EXPECT_EQ(KindOfCapability(GL_LIGHT7), CapabilityKind::FixedFunction);
    EXPECT_EQ(KindOfCapability(GL_LIGHT0 + kMaxLights), CapabilityKind::Unknown);

    s.PolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_EQ(s.TakeError(), GL_NO_ERROR);
    s.PolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);
}

TEST(FixedFunctionState, TexturesSampleOnlyWhenComplete)
{
    FixedFunctionState s;
    s.SetCapability(GL_TEXTURE_2D, true);
    s.BindTexture(GL_TEXTURE_2D, 7);
    EXPECT_FALSE(s.Shading().texturing); // no image yet

    // A picture whose sides are not powers of two, with GL's default mipmapping filter:
    // incomplete until the filter needs no mipmaps, as the engine's textures set it.
    TextureBase base = TextureBase::None;
    ASSERT_TRUE(s.TexImage(GL_TEXTURE_2D, 0, GL_RGB, 100, 75, 0, GL_RGB, GL_UNSIGNED_BYTE, 4096, &base));
    EXPECT_EQ(base, TextureBase::Rgb);
    EXPECT_FALSE(s.BoundTextureComplete());
    GLint value = 0;
    ASSERT_TRUE(s.TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR, &value));
    EXPECT_TRUE(s.Shading().texturing);
    EXPECT_EQ(s.Shading().textureBase, TextureBase::Rgb);

    // A full mipmap chain of 4 x 2: 4x2, 2x1, 1x1, each in the same base.
    s.BindTexture(GL_TEXTURE_2D, 8);
    s.TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR, &value);
    s.TexImage(GL_TEXTURE_2D, 0, GL_ALPHA, 4, 2, 0, GL_ALPHA, GL_UNSIGNED_BYTE, 4096, &base);
    s.TexImage(GL_TEXTURE_2D, 1, GL_ALPHA, 2, 1, 0, GL_ALPHA, GL_UNSIGNED_BYTE, 4096, &base);
    EXPECT_FALSE(s.BoundTextureComplete());
    s.TexImage(GL_TEXTURE_2D, 2, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, 4096, &base);
    EXPECT_FALSE(s.BoundTextureComplete());
    s.TexImage(GL_TEXTURE_2D, 2, GL_ALPHA, 1, 1, 0, GL_ALPHA, GL_UNSIGNED_BYTE, 4096, &base);
    EXPECT_TRUE(s.BoundTextureComplete());
    EXPECT_EQ(s.Shading().textureBase, TextureBase::Alpha);

    // Deleting the bound texture binds 0, which has no image.
    const GLuint eight = 8;
    s.DeleteTextures(1, &eight);
    EXPECT_EQ(s.BoundTexture(), 0u);
    EXPECT_FALSE(s.Shading().texturing);
}

TEST(FixedFunctionState, TextureArgumentsAreCheckedAsGlChecksThem)
{
    FixedFunctionState s;
    TextureBase base = TextureBase::None;
    GLint value = 0;
    EXPECT_FALSE(s.TexImage(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 1, GL_RGB, GL_UNSIGNED_BYTE, 4096, &base));
    EXPECT_EQ(s.TakeError(), GL_INVALID_VALUE); // borders are not offered
    EXPECT_FALSE(s.TexImage(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_FLOAT, 4096, &base));
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);
    EXPECT_FALSE(s.TexImage(GL_TEXTURE_2D, 0, 5, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, 4096, &base));
    EXPECT_EQ(s.TakeError(), GL_INVALID_VALUE);
    EXPECT_FALSE(s.TexImage(GL_TEXTURE_2D, 0, GL_RGB, 4097, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, 4096, &base));
    EXPECT_EQ(s.TakeError(), GL_INVALID_VALUE);
    EXPECT_FALSE(s.TexImage(GL_TEXTURE_2D, 13, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, 4096, &base));
    EXPECT_EQ(s.TakeError(), GL_INVALID_VALUE);

    // The overlay font's clamping becomes WebGL's edge clamping.
    ASSERT_TRUE(s.TexParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP, &value));
    EXPECT_EQ(value, static_cast<GLint>(GL_CLAMP_TO_EDGE));
    EXPECT_FALSE(s.TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR_MIPMAP_LINEAR, &value));
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);

    const float replace = static_cast<float>(GL_REPLACE), unknown = 0x1234;
    s.TexEnv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &replace, true);
    EXPECT_EQ(s.EnvMode(), static_cast<GLenum>(GL_REPLACE));
    s.TexEnv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &unknown, true);
    EXPECT_EQ(s.TakeError(), GL_INVALID_ENUM);
    EXPECT_EQ(s.EnvMode(), static_cast<GLenum>(GL_REPLACE));
    const float color[] = {2, -1, 0.5f, 1};
    s.TexEnv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, color, false);
    EXPECT_EQ(s.Shading().envColor, (Color4{1, 0, 0.5f, 1}));

    // The alpha test's reference is clamped; while the test is off everything passes.
    s.AlphaFunc(GL_GREATER, 3);
    EXPECT_EQ(s.Shading().alphaFunc, static_cast<GLenum>(GL_ALWAYS));
    s.SetCapability(GL_ALPHA_TEST, true);
    EXPECT_EQ(s.Shading().alphaFunc, static_cast<GLenum>(GL_GREATER));
    EXPECT_EQ(s.Shading().alphaRef, 1);
}

} // namespace
