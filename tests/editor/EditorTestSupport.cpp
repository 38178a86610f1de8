#include "EditorTestSupport.h"

#include "framework/System.h"
#include "framework/TreeCtrl.h"
#include "framework/qt/QtBars.h"
#include "framework/qt/QtWnd.h"

#include <QSettings>

namespace {

QStringList g_lines;

} // namespace

QWidget* Peer(const fw::Wnd* wnd)
{
    return fw::qt::WidgetOf(wnd);
}

fw::Wnd* ObjectOf(const QWidget* widget)
{
    return fw::qt::WndOf(widget);
}

QStringList TopLevelTexts(const fw::TreeCtrl* tree, int* childItems)
{
    QStringList texts;
    int children = 0;
    for (fw::TreeItem item = tree->GetRootItem(); item != nullptr; item = tree->GetNextSiblingItem(item)) {
        texts << Q(tree->GetItemText(item));
        for (fw::TreeItem child = tree->GetChildItem(item); child != nullptr; child = tree->GetNextSiblingItem(child))
            ++children;
    }
    if (childItems != nullptr)
        *childItems = children;
    return texts;
}

QAction* ActionOf(const fw::FrameWnd* frame, uint32_t id)
{
    return fw::qt::FindFrameAction(frame, id);
}

QWidget* BarPartAt(const fw::Wnd* bar, fw::Point windowPoint, QPoint* local)
{
    QWidget* area = fw::qt::WindowArea(bar);
    QWidget* peer = Peer(bar);
    if (area == nullptr || peer == nullptr)
        return nullptr;
    const QPoint global = area->mapToGlobal(QPoint(windowPoint.x, windowPoint.y));
    QWidget* part = peer->childAt(peer->mapFromGlobal(global));
    if (part == nullptr)
        return nullptr;
    if (local != nullptr)
        *local = part->mapFromGlobal(global);
    return part;
}

TraceCapture::TraceCapture()
{
    g_lines.clear();
    fw::SetTraceHandler([](const std::string& line) { g_lines.append(Q(line)); });
}

TraceCapture::~TraceCapture()
{
    fw::SetTraceHandler(nullptr);
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
