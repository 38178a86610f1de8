#include "orvex/render/GlDevice.h"

#include "orvex/platform/Platform.h"

#include <algorithm>
#include <cmath>

double PerspectiveAspect(int width, int height)
{
    // A zero side (a collapsed window) counts as one pixel so the frustum stays finite.
    const double w = std::max(width, 1), h = std::max(height, 1);
    return width > height ? w / h : h / w;
}

GlDevice::~GlDevice()
{
    GlDevice::Destroy();
}

void GlDevice::Destroy()
{
    if (renderingContext != nullptr) {
        DeleteContext(renderingContext);
        renderingContext = nullptr;
    }
    if (deviceContext != nullptr) {
        if (GlBinding* binding = PlatformBinding())
            binding->ReleaseSurface(window, deviceContext);
        deviceContext = nullptr;
    }
    UnloadDriver();
    NamedObject::Destroy();
}

bool GlDevice::Create(WindowHandle target)
{
    if (!LoadDriver(driverKind))
        return false;
    GlBinding* binding = PlatformBinding();
    deviceContext = binding ? binding->GetSurface(target) : nullptr;
    if (deviceContext == nullptr)
        return false;
    renderingContext = CreateContext(deviceContext);
    if (renderingContext == nullptr)
        return false;
    window = target;
    return true;
}

bool GlDevice::SetDisplayMode(int width, int height, int bitsPerPixel)
{
    DisplayModes* display = PlatformDisplay();
    if (display == nullptr)
        return false;
    // The mode always keeps the desktop's depth.
    bitsPerPixel = display->ScreenBitsPerPixel();
    return display->ChangeMode(width, height, bitsPerPixel);
}

void GlDevice::RestoreDisplayMode()
{
    if (DisplayModes* display = PlatformDisplay())
        display->RestoreMode();
}

void GlDevice::SetDefaultState()
{
    gl.glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    gl.glClearDepth(1.0);

    gl.glDisable(GL_BLEND);
    gl.glDisable(GL_DITHER);
    gl.glDisable(GL_LIGHTING);
    gl.glDisable(GL_LIGHT0);

    gl.glEnable(GL_DEPTH_TEST);
    gl.glDepthFunc(GL_LEQUAL);

    gl.glEnable(GL_CULL_FACE);
    gl.glFrontFace(GL_CW);
    gl.glCullFace(GL_BACK);

    gl.glShadeModel(GL_SMOOTH);

    gl.glColorMaterial(GL_FRONT, GL_DIFFUSE);
    gl.glEnable(GL_COLOR_MATERIAL);

    // The modelview matrix is the identity here, so the light sits at (0, 0, 10) in eye
    // space, behind the viewer.
    const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
    const GLfloat specular[] = {0.1f, 0.1f, 0.1f, 1.0f};
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat position[] = {0.0f, 0.0f, 10.0f, 1.0f};
    gl.glEnable(GL_LIGHTING);
    gl.glEnable(GL_LIGHT0);
    gl.glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    gl.glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    gl.glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    gl.glLightfv(GL_LIGHT0, GL_POSITION, position);
    // Shininess 128 goes with this light; GL knows shininess only as a material
    // parameter, so it is set on the material, where it takes effect until a material
    // of a scene sets its own.
    gl.glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 128.0f);

    gl.glEnable(GL_TEXTURE_2D);
    if (glCapabilities.hasTextureEnvAdd)
        gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_ADD));

    gl.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    gl.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);

    gl.glEnableClientState(GL_VERTEX_ARRAY);
    gl.glEnableClientState(GL_NORMAL_ARRAY);
    gl.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    // Enabled whether or not the vertex-weighting extension exists; without it GL
    // only records an invalid-enum error.
    gl.glEnableClientState(GL_VERTEX_WEIGHT_ARRAY_EXT);
}

void GlDevice::SetViewport(int x, int y, int width, int height)
{
    gl.glViewport(x, y, width, height);
}

void GlDevice::BeginFrame()
{
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.glPushMatrix();
}

void GlDevice::SetPerspective(int width, int height)
{
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();

    const double zNear = kPerspectiveNear, zFar = kPerspectiveFar;
    const double top = zNear * std::tan(kPerspectiveFieldOfView * 3.14159265358979323846 / 360.0);
    const double bottom = -top;
    const double aspect = PerspectiveAspect(width, height);
    gl.glFrustum(bottom * aspect, top * aspect, bottom, top, zNear, zFar);

    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
}

void GlDevice::SetOrtho(int width, int height)
{
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.glOrtho(0, width, height, 0, -1, 1);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
}

void GlDevice::EndFrame()
{
    gl.glPopMatrix();
    gl.glFinish();
    if (gl.swapBuffers)
        gl.swapBuffers(deviceContext);
}

const char* GlDevice::GetDriverName()
{
    return ::GetDriverName(GetDriverKind());
}
