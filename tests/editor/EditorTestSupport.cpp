#include "EditorTestSupport.h"

#include <QSettings>

namespace {

QStringList g_lines;

void Collect(QtMsgType, const QMessageLogContext&, const QString& message)
{
    g_lines.append(message);
}

} // namespace

TraceCapture::TraceCapture()
{
    g_lines.clear();
    m_previous = qInstallMessageHandler(Collect);
}

TraceCapture::~TraceCapture()
{
    qInstallMessageHandler(m_previous);
}

const QStringList& TraceCapture::Lines() const
{
    return g_lines;
}

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

void ClearEditorProfile()
{
    QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Quorvan"));
    profile.clear();
    profile.sync();
}
