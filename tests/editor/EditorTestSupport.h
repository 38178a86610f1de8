#pragma once
// Helpers shared by the editor tests.
#include <gtest/gtest.h>

#include "framework/Wnd.h"

#include <QString>
#include <QStringList>
#include <QTest>
#include <QtGlobal>

#include <ostream>
#include <string>

class QAction;
class QPoint;
class QWidget;

namespace fw {
class FrameWnd;
class TreeCtrl;
} // namespace fw

// Waits up to five seconds, running the event loop, for a condition, and fails the test and
// leaves it when the condition never holds. (Qt's QTRY_ macros report to QTest's own log, which
// GoogleTest never reads: a failed QTRY_ check would just end the test as passed.)
#define ASSERT_SOON(condition) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, 5000)) << #condition
#define ASSERT_SOON_EQ(actual, expected) \
    do { \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000); \
        ASSERT_EQ(actual, expected); \
    } while (false)

// Readable QString values in failure messages.
void PrintTo(const QString& text, std::ostream* out);

// Text between the framework's UTF-8 strings and Qt's, for the tests' Qt side.
inline QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}
inline std::string S(const QString& text)
{
    return text.toStdString();
}

// The Qt peers behind framework objects, for what only Qt can show (widgets, actions).
QWidget* Peer(const fw::Wnd* wnd);
// The framework object whose peer widget is the given one (null for other widgets).
fw::Wnd* ObjectOf(const QWidget* widget);
// The texts of a tree's top-level items, and how many items lie below them.
QStringList TopLevelTexts(const fw::TreeCtrl* tree, int* childItems = nullptr);
QAction* ActionOf(const fw::FrameWnd* frame, uint32_t id);

// The widget of a bar's peer under a point of the bar's window (fw coordinates), and the point
// in that widget's coordinates; null when the point is outside the bar.
QWidget* BarPartAt(const fw::Wnd* bar, fw::Point windowPoint, QPoint* local);

// Collects the framework's trace lines while it lives, so tests can look for them.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const QStringList& Lines() const;
    bool Contains(const QString& line) const { return Lines().contains(line); }
};

// Clears the editor's profile (recent files) in the test's settings folder.
void ClearEditorProfile();
