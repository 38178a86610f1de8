#pragma once
// Helpers shared by the editor tests.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTest>
#include <QtGlobal>

#include <ostream>

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

// Collects debug output while it lives, so tests can look for trace lines.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const QStringList& Lines() const;
    bool Contains(const QString& line) const { return Lines().contains(line); }

private:
    QtMessageHandler m_previous;
};

// Clears the editor's profile (recent files) in the test's settings folder.
void ClearEditorProfile();
