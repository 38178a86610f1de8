#include "ScreenProbe.h"

#include "orvex/posix/FreeTypeRasterizer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kClear = 51; // the clear colour 0.2 in 8 bits
constexpr int kLineHeight = 16;

// Binary PPM (P6, maxval 255) from a stream.
Shot ReadPpm(std::FILE* in)
{
    Shot screen;
    char magic[3] = {};
    int maxval = 0;
    if (std::fscanf(in, "%2s %d %d %d", magic, &screen.width, &screen.height, &maxval) != 4)
        return {};
    if (std::string(magic) != "P6" || maxval != 255 || screen.width <= 0 || screen.height <= 0)
        return {};
    std::fgetc(in); // the one whitespace byte before the pixels
    const std::size_t count = static_cast<std::size_t>(screen.width) * screen.height;
    std::vector<unsigned char> bytes(count * 3);
    if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size())
        return {};
    screen.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        screen.pixels[i] = {bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]};
    return screen;
}

// The viewer's overlay font, made once.
TextFont* OverlayFont()
{
    static TextFont* font = FreeTypeRasterizer().CreateFont("Comic Sans MS", kLineHeight);
    return font;
}

} // namespace

bool HaveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

Shot TakeScreenshot(const std::string& name)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(popen("import -window root -depth 8 ppm:- 2>/dev/null", "r"),
                                                         pclose);
    if (!pipe)
        return {};
    Shot screen = ReadPpm(pipe.get());
    const char* dir = std::getenv("ORVEX_SHOT_DIR");
    if (!screen.Empty() && dir != nullptr && !name.empty()) {
        const std::string command =
            "mkdir -p '" + std::string(dir) + "' && import -window root '" + dir + "/" + name + ".png' 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "could not keep screenshot %s\n", name.c_str());
    }
    return screen;
}

bool Xdotool(const std::string& arguments)
{
    return std::system(("xdotool " + arguments).c_str()) == 0;
}

bool PressKey(const char* keysymName, bool down)
{
    static Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    const KeySym keysym = XStringToKeysym(keysymName);
    const KeyCode keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
    if (keycode == 0)
        return false;
    const bool sent = XTestFakeKeyEvent(display, keycode, down ? True : False, CurrentTime) != 0;
    XSync(display, False);
    return sent;
}

int ChangedPixels(const Shot& a, const Shot& b, int fromY)
{
    if (a.width != b.width || a.height != b.height || a.Empty())
        return -1;
    int changed = 0;
    for (int y = fromY; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            changed += a.At(x, y) != b.At(x, y);
    return changed;
}

Box SceneBounds(const Shot& screen, int fromY)
{
    Box box{screen.width, screen.height, -1, -1};
    for (int y = fromY; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            const Rgb& p = screen.At(x, y);
            if (p[0] == kClear && p[1] == kClear && p[2] == kClear)
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    return box;
}

double TextDistance(const Shot& screen, int y, const std::string& text, std::uint32_t color, int width)
{
    TextFont* font = OverlayFont();
    if (font == nullptr || screen.Empty() || y + kLineHeight > screen.height)
        return 1e9;
    width = std::min(width, screen.width);
    // The viewer's path: the bitmap's blue, green, red bytes become red, green, blue on
    // screen, added to the clear colour.
    std::vector<std::uint8_t> bitmap(static_cast<std::size_t>(width) * kLineHeight * 4, 0);
    FreeTypeRasterizer().DrawText(*font, {bitmap.data(), width, kLineHeight}, 0, 0, text.data(), text.size(), color,
                                  true, 0);
    double sum = 0;
    for (int row = 0; row < kLineHeight; ++row)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* b = &bitmap[(static_cast<std::size_t>(row) * width + x) * 4];
            const Rgb& p = screen.At(x, y + row);
            for (int c = 0; c < 3; ++c)
                sum += std::abs(p[c] - std::min(255, kClear + b[c]));
        }
    return sum / (static_cast<double>(width) * kLineHeight * 3);
}

int ReadFramesPerSecond(const Shot& screen)
{
    int best = -1;
    double bestDistance = 0.5; // a match is close to exact
    for (int n = 0; n <= 9999; ++n) {
        char text[16];
        std::snprintf(text, sizeof text, "FPS: %03d", n);
        const double distance = TextDistance(screen, 16, text, 0xFFFF00, 120);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = n;
        }
    }
    return best;
}
