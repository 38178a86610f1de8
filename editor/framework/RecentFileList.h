#pragma once
// The most-recently-used file list: newest first, no duplicates, a fixed number of entries,
// kept in the profile and shown as numbered items in place of the "Recent File" menu item.
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class CmdUI;
class Profile;

class RecentFileList {
public:
    RecentFileList(uint32_t firstId, std::string section, std::string entryFormat, int size, int maxDisplayLength = 30);

    int GetSize() const { return m_size; }
    int Count() const { return static_cast<int>(m_files.size()); }
    std::string operator[](int index) const;
    const std::vector<std::string>& Files() const { return m_files; }

    void Add(const std::string& path); // made absolute, moved or put first
    void Remove(int index);

    // Entries are named by entryFormat with "%d" standing for 1, 2, ...
    void ReadList(const Profile& profile);
    void WriteList(Profile& profile) const;

    // Menu text of entry index: the file name alone when it lies in currentDir, otherwise the
    // path shortened to the display length; '&' doubled so it shows.
    std::string GetDisplayName(int index, const std::string& currentDir) const;

    // Fills the menu from the placeholder item: grayed placeholder when empty, else one item
    // "&1 name", "&2 name", ... per entry. Other elements are enabled while there are entries.
    void UpdateMenu(CmdUI& ui) const;

    uint32_t FirstId() const { return m_firstId; }

private:
    std::string EntryName(int index) const;

    uint32_t m_firstId;
    std::string m_section;
    std::string m_entryFormat;
    int m_size;
    int m_maxDisplayLength;
    std::vector<std::string> m_files;
};

// Shortens path to at most maxLength characters by replacing leading folders with "...",
// keeping the root and the file name; a file name that is itself too long is returned alone.
// Folders are separated by '/' (and on Windows also '\').
std::string AbbreviatePath(const std::string& path, int maxLength);

} // namespace fw
