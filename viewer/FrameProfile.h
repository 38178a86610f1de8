// Optional frame timing: with ORVEX_FRAME_TIMING set in the environment the viewer times
// each part of its frames and writes one summary line to stderr when it ends. Switched
// off, a scope costs one flag test.
//
// GL drivers queue drawing and rasterise it later (llvmpipe when a texture is replaced or
// at glFinish), so the scene's drawing cost normally lands in Present. With
// ORVEX_FRAME_TIMING=finish the scene's Render waits for its drawing (one extra glFinish a
// frame), which puts that cost where it belongs at the price of some overlap.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

enum ProfileSection {
    ProfileUpdate = 0,  // the application's Update
    ProfileSceneUpdate, //   of which the scene's Update (bones and skinning)
    ProfileRender,      // the application's Render
    ProfileSceneRender, //   of which the scene's Render
    ProfilePresent,     // the application's Present
    ProfileEndFrame,    //   of which EndFrame (glFinish and the buffer swap)
    ProfileSectionCount
};

class FrameProfile {
public:
    using Clock = std::chrono::steady_clock;

    // Starts timing from now (clears what was counted); `finishDrawing` makes timed drawing
    // steps wait for the GL.
    void Enable(bool finishDrawing = false);
    bool Enabled() const { return enabled; }
    bool FinishDrawing() const { return enabled && finishDrawing; }
    void Add(ProfileSection section, Clock::duration elapsed);
    // Ends a frame; the rate counts from the end of the first frame to the end of the last,
    // so start-up and loading stay out of it.
    void FrameDone();

    std::int64_t Frames() const { return frames; }
    // Seconds spent in the section so far.
    double Seconds(ProfileSection section) const;
    // One line: frames, the time they took, frame rate, and per section its time per frame
    // and its share of the frame (Update + Render + Present); then how long after Enable the
    // first frame ended (start-up: window, GL, loading) and the driver's name when given.
    void Report(std::FILE* out, const char* driverName = nullptr) const;

private:
    bool enabled = false;
    Clock::time_point enabledAt{};
    bool finishDrawing = false;
    Clock::time_point firstEnd{};
    Clock::time_point lastEnd{};
    std::int64_t frames = 0;
    Clock::duration total[ProfileSectionCount]{};
};

// The program's one profile.
extern FrameProfile frameProfile;

// Times the enclosing block into a section of frameProfile.
class ProfileScope {
public:
    explicit ProfileScope(ProfileSection section) : section(section)
    {
        if (frameProfile.Enabled())
            start = FrameProfile::Clock::now();
    }
    ~ProfileScope()
    {
        if (frameProfile.Enabled())
            frameProfile.Add(section, FrameProfile::Clock::now() - start);
    }
    ProfileScope(const ProfileScope&) = delete;
    ProfileScope& operator=(const ProfileScope&) = delete;

private:
    ProfileSection section;
    FrameProfile::Clock::time_point start{};
};
