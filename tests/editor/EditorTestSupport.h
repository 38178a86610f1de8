#pragma once
// Helpers shared by the editor tests.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <ostream>

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
