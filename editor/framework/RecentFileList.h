#pragma once
// The most-recently-used file list: newest first, no duplicates, a fixed number of entries,
// kept in the profile and shown as numbered items in place of the "Recent File" menu item.
#include <QString>
#include <QStringList>

#include <cstdint>

class QSettings;

namespace fw {

class ActionCmdUI;

class RecentFileList {
public:
    RecentFileList(uint32_t firstId, QString section, QString entryFormat, int size, int maxDisplayLength = 30);

    int GetSize() const { return m_size; }
    int Count() const { return static_cast<int>(m_files.size()); }
    QString operator[](int index) const;
    const QStringList& Files() const { return m_files; }

    void Add(const QString& path); // made absolute, moved or put first
    void Remove(int index);

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

    // Menu text of entry index: the file name alone when it lies in currentDir, otherwise the
    // path shortened to the display length; '&' doubled so it shows.
    QString GetDisplayName(int index, const QString& currentDir) const;

    // Fills the menu from the placeholder item: grayed placeholder when empty, else one item
    // "&1 name", "&2 name", ... per entry.
    void UpdateMenu(ActionCmdUI& ui) const;

    uint32_t FirstId() const { return m_firstId; }

private:
    uint32_t m_firstId;
    QString m_section;
    QString m_entryFormat;
    int m_size;
    int m_maxDisplayLength;
    QStringList m_files;
};

// Shortens path to at most maxLength characters by replacing leading folders with "...",
// keeping the root and the file name; a file name that is itself too long is returned alone.
QString AbbreviatePath(const QString& path, int maxLength);

} // namespace fw
