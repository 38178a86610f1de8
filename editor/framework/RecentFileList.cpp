#include "framework/RecentFileList.h"

#include "framework/FrameWnd.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace fw {

RecentFileList::RecentFileList(uint32_t firstId, QString section, QString entryFormat, int size, int maxDisplayLength)
    : m_firstId(firstId), m_section(std::move(section)), m_entryFormat(std::move(entryFormat)),
      m_size(size < 0 ? 0 : size), m_maxDisplayLength(maxDisplayLength)
{
}

QString RecentFileList::operator[](int index) const
{
    return index >= 0 && index < Count() ? m_files[index] : QString();
}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty() || m_size == 0)
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > m_size)
        m_files.removeLast();
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < Count())
        m_files.removeAt(index);
}

void RecentFileList::ReadList(QSettings& settings)
{
    m_files.clear();
    settings.beginGroup(m_section);
    for (int i = 0; i < m_size; ++i) {
        const QString file = settings.value(m_entryFormat.arg(i + 1)).toString();
        if (!file.isEmpty() && !m_files.contains(file))
            m_files.append(file);
    }
    settings.endGroup();
}

void RecentFileList::WriteList(QSettings& settings) const
{
    settings.beginGroup(m_section);
    for (int i = 0; i < m_size; ++i) {
        const QString key = m_entryFormat.arg(i + 1);
        if (i < Count()) {
            settings.setValue(key, m_files[i]);
        } else {
            settings.remove(key);
        }
    }
    settings.endGroup();
}

QString AbbreviatePath(const QString& path, int maxLength)
{
    if (path.size() <= maxLength)
        return path;
    const QString separator = QStringLiteral("/");
    const QString ellipsis = QStringLiteral("...");
    QStringList parts = path.split(separator);
    const QString fileName = parts.isEmpty() ? path : parts.takeLast();
    if (fileName.size() + ellipsis.size() + 1 > maxLength || parts.isEmpty())
        return fileName;
    // The root ("" for an absolute path) stays, then "...", then as many trailing folders as fit.
    const QString root = parts.takeFirst();
    QString tail = separator + fileName;
    while (!parts.isEmpty()) {
        const QString candidate = separator + parts.last() + tail;
        if (root.size() + separator.size() + ellipsis.size() + candidate.size() > maxLength)
            break;
        tail = candidate;
        parts.removeLast();
    }
    if (parts.isEmpty())
        return root + tail;
    return root + separator + ellipsis + tail;
}

QString RecentFileList::GetDisplayName(int index, const QString& currentDir) const
{
    if (index < 0 || index >= Count())
        return QString();
    const QFileInfo info(m_files[index]);
    QString name = QDir::cleanPath(info.absolutePath()) == QDir::cleanPath(currentDir)
                       ? info.fileName()
                       : AbbreviatePath(m_files[index], m_maxDisplayLength);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return name;
}

void RecentFileList::UpdateMenu(ActionCmdUI& ui) const
{
    QAction* placeholder = ui.Action();
    FrameWnd* frame = ui.Frame();
    QMenu* menu = nullptr;
    for (QObject* object : placeholder->associatedObjects()) {
        if ((menu = qobject_cast<QMenu*>(object)) != nullptr)
            break;
    }
    if (Count() == 0) {
        placeholder->setText(placeholder->property("menuText").toString());
        ui.Enable(false);
        for (int i = 1; i < m_size; ++i) {
            if (QAction* entry = frame->FindAction(m_firstId + static_cast<uint32_t>(i)))
                entry->setVisible(false);
        }
        return;
    }
    const QString currentDir = QDir::currentPath();
    QAction* previous = nullptr;
    for (int i = 0; i < m_size; ++i) {
        QAction* entry = i == 0 ? placeholder : frame->GetAction(m_firstId + static_cast<uint32_t>(i));
        if (i >= Count()) {
            entry->setVisible(false);
            continue;
        }
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(GetDisplayName(i, currentDir)));
        entry->setVisible(true);
        entry->setEnabled(true);
        if (menu != nullptr && previous != nullptr && !menu->actions().contains(entry)) {
            const QList<QAction*> items = menu->actions();
            const qsizetype at = items.indexOf(previous);
            QAction* before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
            menu->insertAction(before, entry);
        }
        previous = entry;
    }
    ui.Enable(true);
}

} // namespace fw
