// Stand-ins for the viewer's surroundings: scripted input, a clock moved by hand, a font
// that records what it is asked to draw, and a message queue that replays a script.
#pragma once

#include "Application.h"
#include "InputState.h"
#include "MessageQueue.h"

#include "RecordingGl.h"
#include "orvex/foundation/Timer.h"
#include "orvex/platform/Clock.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct FakeInput final : InputState {
    int x = 0, y = 0;
    bool left = false, right = false, leftShift = false;

    void CursorPosition(int* cx, int* cy) override
    {
        *cx = x;
        *cy = y;
    }
    bool LeftButton() override { return left; }
    bool RightButton() override { return right; }
    bool LeftShift() override { return leftShift; }
};

// A microsecond counter the test sets; Timer(TimerAbsolute) reads it as seconds.
struct ManualClock {
    static inline std::int64_t micros = 0;

    static bool Frequency(std::int64_t* frequency)
    {
        *frequency = 1000000;
        return true;
    }
    static std::int64_t Counter() { return micros; }
    static std::uint32_t Milliseconds() { return static_cast<std::uint32_t>(micros / 1000); }
    static void Set(double seconds) { micros = static_cast<std::int64_t>(seconds * 1e6 + 0.5); }

    // Installs the clock and starts the run's statistics from zero.
    static void Install(double seconds)
    {
        static const ClockSource source{Frequency, Counter, Milliseconds};
        Set(seconds);
        ResetTimerForClock(&source);
        frameStatistics = FrameStatistics{};
    }
    static void Uninstall() { ResetTimerForClock(nullptr); }
};

// Records colours and strings; draws nothing. With a RecordingGl it also notes how many GL
// calls had been made before each of its own, so the two sequences can be interleaved.
class RecordingFont final : public BitmapFont {
public:
    struct Call {
        std::string text;          // "color 0x00ffff" or "draw 0,16 FPS: 059"
        std::size_t glCallsBefore; // GL calls recorded before this one
    };

    explicit RecordingFont(const RecordingGl* gl = nullptr) : gl(gl) {}

    std::uint32_t SetColor(std::uint32_t color) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "color 0x%06x", static_cast<unsigned>(color));
        Note(text);
        const std::uint32_t previous = current;
        current = color;
        return previous;
    }
    void DrawString(int x, int y, const char* text) override
    {
        Note("draw " + std::to_string(x) + "," + std::to_string(y) + " " + text);
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const Call& call : calls)
            out.push_back(call.text);
        return out;
    }

    std::vector<Call> calls;

private:
    void Note(std::string text) { calls.push_back({std::move(text), gl ? gl->Records().size() : 0}); }

    const RecordingGl* gl;
    std::uint32_t current = 0;
};

// Replays messages. `pending` is what waits in the queue now; each Wait() lets the next
// batch of `arrivals` come in (the window system delivering while the program sleeps).
// Everything that happens is written to `log`.
class ScriptedQueue final : public MessageQueue {
public:
    std::deque<ViewerMessage> pending;
    std::deque<std::vector<ViewerMessage>> arrivals;
    std::vector<std::string> log;

    bool Peek() override { return !pending.empty(); }
    ViewerMessage Get() override
    {
        if (pending.empty())
            Wait();
        if (pending.empty())
            return {MessageQuit, -99}; // a script error, never a hang
        const ViewerMessage message = pending.front();
        pending.pop_front();
        log.push_back(Name(message));
        return message;
    }
    void Wait() override
    {
        log.push_back("wait");
        if (arrivals.empty()) {
            // Nothing would ever arrive: end the loop instead of sleeping for ever.
            pending.push_back({MessageQuit, -98});
            return;
        }
        for (const ViewerMessage& message : arrivals.front())
            pending.push_back(message);
        arrivals.pop_front();
    }
    void PostClose() override
    {
        log.push_back("post close");
        pending.push_back({MessageClose, 0});
    }
    void PostQuit(std::int32_t code) override
    {
        log.push_back("post quit " + std::to_string(code));
        pending.push_back({MessageQuit, code});
    }

    static std::string Name(const ViewerMessage& message)
    {
        static const char* const names[] = {"other", "activate", "key", "close", "quit"};
        return std::string(names[message.kind]) + " " + std::to_string(message.param);
    }
};

// An Application with its frame state set by the test instead of by Init: a 1024x768
// frame and the viewer's camera, no device or window.
struct ProbeApplication : Application {
    ProbeApplication()
    {
        width = 1024;
        height = 768;
        camera = new Camera;
        camera->positionZ = 10.0f;
    }
    using Application::lastCursorX;
    using Application::lastCursorY;
};
