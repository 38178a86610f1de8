// Looking at the X screen from a test: screenshots of the root window (ImageMagick's
// `import`), input through xdotool, and reading the viewer's overlay lines back by
// comparing them with the same text rasterised here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Rgb = std::array<int, 3>;

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels; // top row first

    bool Empty() const { return pixels.empty(); }
    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// True when the tests have an X display to work on.
bool HaveDisplay();

// The whole screen now; empty when it cannot be taken. With ORVEX_SHOT_DIR set, a PNG copy
// named `name` is kept there for people to look at.
Shot TakeScreenshot(const std::string& name = "");

// Runs `xdotool <arguments>`; true when it succeeded.
bool Xdotool(const std::string& arguments);

// Presses or releases the one key of the keysym name ("Shift_R") through XTest. xdotool
// cannot do this for Shift_R: it holds Shift_L down with it.
bool PressKey(const char* keysymName, bool down);

// Pixels at or below `fromY` that differ between two screens of the same size.
int ChangedPixels(const Shot& a, const Shot& b, int fromY);

// The bounding box of the pixels at or below `fromY` that are not the clear colour.
struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool Empty() const { return right < left; }
};
Box SceneBounds(const Shot& screen, int fromY);

// How far the 16-pixel band at (0, y) differs from `text` drawn by the viewer's font in the
// GDI colour `color` over the clear colour: the mean absolute channel difference over the
// first `width` pixels (0 for a perfect match).
double TextDistance(const Shot& screen, int y, const std::string& text, std::uint32_t color, int width = 260);

// The number in the "FPS: %03d" line at (0, 16), read by finding the best matching text;
// -1 when no number up to 9999 matches.
int ReadFramesPerSecond(const Shot& screen);
