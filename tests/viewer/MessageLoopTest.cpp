// The message loop and the window procedure on a scripted queue: one message per pass,
// frames only on an empty queue while active, a blocking wait while inactive, Escape as
// the only key that does anything, and the quit message's code as the exit code.
#include "MessageLoop.h"
#include "ViewerFakes.h"
#include "WindowProcedure.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Logs its frame steps into the queue's log; `onFrame` runs after each Present.
class CountingApplication final : public Application {
public:
    explicit CountingApplication(ScriptedQueue& queue) : queue(queue) {}

    void Update() override { queue.log.push_back("update"); }
    void Render() override { queue.log.push_back("render"); }
    void Present() override
    {
        queue.log.push_back("present");
        ++frames;
        if (onFrame)
            onFrame(frames);
    }

    int frames = 0;
    std::function<void(int)> onFrame;

private:
    ScriptedQueue& queue;
};

using Log = std::vector<std::string>;

class MessageLoop : public ::testing::Test {
protected:
    void SetUp() override { appActive = 0; }
    void TearDown() override { appActive = 0; }

    ScriptedQueue queue;
    CountingApplication app{queue};
};

TEST_F(MessageLoop, HandlesEveryWaitingMessageBeforeAFrameAndEscapeEndsWithZero)
{
    queue.pending = {{MessageActivateApp, 1}, {MessageOther, 0}, {MessageKeyDown, 'a'}};
    app.onFrame = [&](int frame) {
        if (frame == 2)
            queue.pending.push_back({MessageOther, 0});
        if (frame == 3)
            queue.pending.push_back({MessageKeyDown, kKeyEscape});
    };
    EXPECT_EQ(RunMessageLoop(app, queue), 0);
    EXPECT_EQ(queue.log, (Log{"activate 1", "other 0", "key 97",                     // messages first
                              "update", "render", "present",                         // then frames
                              "update", "render", "present", "other 0",              // one message, then
                              "update", "render", "present", "key 27", "post close", // frames again
                              "close 0", "post quit 0", "quit 0"}));
    EXPECT_EQ(app.frames, 3);
}

TEST_F(MessageLoop, InactiveProgramWaitsAndRunsNoFramesUntilActivatedAgain)
{
    queue.pending = {{MessageActivateApp, 0}};
    queue.arrivals = {
        {{MessageOther, 0}}, {{MessageActivateApp, 1}}, {{MessageKeyDown, 'q'}}, {{MessageKeyDown, kKeyEscape}}};
    app.onFrame = [&](int frame) {
        if (frame == 2)
            queue.pending.push_back({MessageActivateApp, 0});
    };
    EXPECT_EQ(RunMessageLoop(app, queue), 0);
    EXPECT_EQ(queue.log,
              (Log{"activate 0", "wait",   "other 0", "wait",       "activate 1", //
                   "update",     "render", "present", "update",     "render",     "present",     "activate 0", "wait",
                   "key 113",    "wait",   "key 27",  "post close", "close 0",    "post quit 0", "quit 0"}));
    EXPECT_EQ(app.frames, 2);
}

TEST_F(MessageLoop, ExitCodeIsTheQuitMessagesParameter)
{
    queue.pending = {{MessageActivateApp, 1}, {MessageQuit, 7}, {MessageKeyDown, kKeyEscape}};
    EXPECT_EQ(RunMessageLoop(app, queue), 7);
    EXPECT_EQ(app.frames, 0);
    EXPECT_EQ(queue.pending.size(), 1u); // nothing after the quit message is handled
}

TEST(WindowProcedure, EscapeClosesEveryOtherKeyIsSwallowedActivationIsStored)
{
    ScriptedQueue queue;
    for (std::int32_t key : std::vector<std::int32_t>{'a', ' ', '\r', 0x1A, 0x1C, 0x40000039 /* caps lock */,
                                                      0x400000E1 /* left shift */}) {
        EXPECT_EQ(WindowProcedure({MessageKeyDown, key}, queue), 0);
    }
    EXPECT_TRUE(queue.log.empty());
    EXPECT_TRUE(queue.pending.empty());

    EXPECT_EQ(WindowProcedure({MessageKeyDown, kKeyEscape}, queue), 0);
    EXPECT_EQ(queue.log, (Log{"post close"}));
    EXPECT_EQ(WindowProcedure({MessageClose, 0}, queue), 0);
    EXPECT_EQ(queue.log, (Log{"post close", "post quit 0"}));

    EXPECT_EQ(WindowProcedure({MessageActivateApp, 5}, queue), 0);
    EXPECT_EQ(appActive, 5);
    EXPECT_EQ(WindowProcedure({MessageOther, 0}, queue), 0);
    EXPECT_EQ(appActive, 5);
    EXPECT_EQ(WindowProcedure({MessageActivateApp, 0}, queue), 0);
    EXPECT_EQ(appActive, 0);
    EXPECT_EQ(queue.log.size(), 2u);
}

} // namespace
