// Test seams over the program-wide GL table `gl`.
//
// RecordingGl: while one lives, every slot of `gl` records its call (slot name and
// arguments, array contents included where GL fixes their length) and answers with
// values the test chose. Typical use:
//
//     RecordingGl rec;                 // installs itself, restores the old table on exit
//     rec.SetString(GL_EXTENSIONS, "GL_EXT_compiled_vertex_array");
//     device.SetDefaultState();
//     EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
//         "glClearColor(0.2, 0.2, 0.2, 1)", "glClearDepth(1)", "glDisable(GL_BLEND)", ...}));
//
// Text of an argument, by what the parameter is:
//   enums by name (GL_DEPTH_TEST; unknown values as 0x1234), bitfields as
//   GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, numbers in their shortest exact form
//   (0.2, 1, -0, 640), float/int arrays as [0.8, 0.8, 0.8, 1], index arrays of
//   glDrawElements and texture names of glDeleteTextures likewise, strings quoted,
//   pixel-format requests as {size=40, version=1, flags=0x25, ...}, data pointers as
//   <ptr>, handles as <handle>, null pointers as null, output parameters as out.
// GlArg keeps the raw values too (number, values, pointer, bytes) for checks the text
// cannot make (pointer identity, uploaded pixels, near-equality of computed doubles).
//
// InstallNoOpGl: fills `gl` with harmless entries (every result zero, empty or null,
// outputs zero-filled) for fuzz harnesses and tests that only need GL not to crash.
#pragma once

#include "orvex/render/GlApi.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct GlArg {
    std::string text;                // as shown in the call's text
    double number = 0;               // scalar arguments (enums and integers too)
    std::vector<double> values;      // array contents; outputs as written back
    const void* pointer = nullptr;   // pointer and handle arguments
    std::vector<std::uint8_t> bytes; // copies: glTexImage2D pixels, pixel-format descriptors
};

struct GlCall {
    std::string name; // the slot, e.g. "glEnable"
    std::vector<GlArg> args;

    std::string Text() const; // "glEnable(GL_DEPTH_TEST)"
};

class RecordingGl {
public:
    // Installs the recording entries into `gl`, keeping the previous table.
    RecordingGl();
    // Puts the previous table back.
    ~RecordingGl();
    RecordingGl(const RecordingGl&) = delete;
    RecordingGl& operator=(const RecordingGl&) = delete;

    // --- what was called ---
    const std::vector<GlCall>& Records() const { return records_; }
    std::vector<std::string> Calls() const; // every call as text
    std::vector<std::string> CallsTo(std::initializer_list<std::string_view> names) const;
    std::string Script() const; // Calls() joined by '\n' (gtest shows a line diff)
    std::size_t Count(std::string_view name) const;
    const GlCall* Last(std::string_view name) const; // most recent call of that slot or null
    void Clear();                                    // forgets the calls, keeps the answers and state

    // --- what the table answers ---
    // glGetString; defaults: GL_VENDOR "Orvex", GL_RENDERER "RecordingGl", GL_VERSION "1.1",
    // GL_EXTENSIONS "" (no extensions); any other name answers null.
    void SetString(GLenum name, std::string value);
    // glGetIntegerv / glGetFloatv; defaults: GL_MAX_TEXTURE_SIZE 2048, GL_MAX_TEXTURE_UNITS_ARB 2.
    // Unset names write zeros (16 for matrices, 4 for viewport and colours, else 1).
    void SetIntegers(GLenum pname, std::vector<GLint> values);
    void SetFloats(GLenum pname, std::vector<GLfloat> values);
    // glGetError answers the queued errors in order, then GL_NO_ERROR.
    void QueueError(GLenum error);
    // glGenTextures hands out consecutive names starting here (default 1).
    void SetNextTextureName(GLuint name);
    // wglGetProcAddress answers every slot name of the table with its recording entry,
    // except the names made missing here (and any other name), which answer null.
    void SetMissingProc(std::string name);
    // Results of the binding and pixel-format slots and of wglSwapIntervalEXT, by slot name.
    // Defaults: choosePixelFormat 1, describePixelFormat 1, getPixelFormat 1, setPixelFormat 1,
    // swapBuffers 1, wglMakeCurrent 1, wglDeleteContext 1, wglSwapIntervalEXT 1,
    // wglCreateContext a new non-null handle per call. Set 0 to make a slot fail.
    void SetResult(std::string_view slot, std::intptr_t value);
    // What describePixelFormat writes; default: size 40, version 1, flags 0x25, RGBA,
    // colour 32, depth 24, stencil 8 (an installable-client-driver format).
    void SetDescribedFormat(const PixelFormatDescriptor& descriptor);

    // --- state the table keeps ---
    bool IsEnabled(GLenum cap) const; // after glEnable/glDisable/gl{En,Dis}ableClientState
    GlContextHandle CurrentContext() const { return currentContext_; }
    GlSurfaceHandle CurrentSurface() const { return currentSurface_; }
    int SwapInterval() const { return swapInterval_; }

    // The recording entry of a slot by its name ("glEnable", "choosePixelFormat"), for fakes
    // that hand entries out as a library would; null for other names. Records nothing.
    static GlProc Entry(std::string_view slot);

    // Text helpers for building expected calls: Number(0.2f) == "0.2", Enum(GL_BLEND) == "GL_BLEND".
    static std::string Number(double value);
    static std::string Number(float value);
    static std::string Enum(GLenum value);

private:
    friend struct RecordingHooks;

    GlEntryPoints saved_{};
    std::vector<GlCall> records_;
    std::map<GLenum, std::string> strings_;
    std::map<GLenum, std::vector<GLint>> integers_;
    std::map<GLenum, std::vector<GLfloat>> floats_;
    std::vector<GLenum> errors_;
    GLuint nextTextureName_ = 1;
    std::set<std::string, std::less<>> missingProcs_;
    std::map<std::string, std::intptr_t, std::less<>> results_;
    PixelFormatDescriptor described_{};
    std::set<GLenum> enabled_;
    GlContextHandle currentContext_ = nullptr;
    GlSurfaceHandle currentSurface_ = nullptr;
    std::uintptr_t nextContext_ = 0x1000;
    int swapInterval_ = 0;
    GLint unpackAlignment_ = 4;
};

// Fills `gl` with harmless entries: results zero, glGetString "", outputs zero-filled,
// wglGetProcAddress answering the no-op entry of any slot name.
void InstallNoOpGl();
