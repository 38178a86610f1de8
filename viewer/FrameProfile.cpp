#include "FrameProfile.h"

FrameProfile frameProfile;

void FrameProfile::Enable(bool finish)
{
    enabled = true;
    enabledAt = Clock::now();
    finishDrawing = finish;
    frames = 0;
    for (auto& t : total)
        t = Clock::duration::zero();
}

void FrameProfile::Add(ProfileSection section, Clock::duration elapsed)
{
    if (section >= 0 && section < ProfileSectionCount)
        total[section] += elapsed;
}

void FrameProfile::FrameDone()
{
    if (!enabled)
        return;
    lastEnd = Clock::now();
    if (frames == 0)
        firstEnd = lastEnd;
    ++frames;
}

double FrameProfile::Seconds(ProfileSection section) const
{
    if (section < 0 || section >= ProfileSectionCount)
        return 0.0;
    return std::chrono::duration<double>(total[section]).count();
}

void FrameProfile::Report(std::FILE* out, const char* driverName) const
{
    if (!enabled || out == nullptr)
        return;
    const double wall = std::chrono::duration<double>(lastEnd - firstEnd).count();
    const double frame = Seconds(ProfileUpdate) + Seconds(ProfileRender) + Seconds(ProfilePresent);
    const double n = frames > 0 ? static_cast<double>(frames) : 1.0;
    auto part = [&](const char* name, ProfileSection section) {
        const double s = Seconds(section);
        std::fprintf(out, "; %s %.3f ms (%.1f%%)", name, s * 1000.0 / n, frame > 0 ? 100.0 * s / frame : 0.0);
    };
    std::fprintf(out, "Orvex frame timing%s: %lld frames in %.2f s, %.1f fps, frame %.3f ms",
                 finishDrawing ? " (scene drawing finished in its Render)" : "", static_cast<long long>(frames), wall,
                 wall > 0 ? static_cast<double>(frames - 1) / wall : 0.0, frame * 1000.0 / n);
    part("update", ProfileUpdate);
    part("scene update", ProfileSceneUpdate);
    part("render", ProfileRender);
    part("scene render", ProfileSceneRender);
    part("present", ProfilePresent);
    part("end frame", ProfileEndFrame);
    if (frames > 0)
        std::fprintf(out, "; first frame %.3f s after start",
                     std::chrono::duration<double>(firstEnd - enabledAt).count());
    if (driverName != nullptr)
        std::fprintf(out, "; driver %s", driverName);
    std::fprintf(out, "\n");
}
