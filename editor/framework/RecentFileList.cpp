#include "framework/RecentFileList.h"

#include "framework/Command.h"
#include "framework/Paths.h"
#include "framework/Profile.h"

#include <algorithm>

namespace fw {
namespace {

bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

} // namespace

RecentFileList::RecentFileList(uint32_t firstId, std::string section, std::string entryFormat, int size,
                               int maxDisplayLength)
    : m_firstId(firstId), m_section(std::move(section)), m_entryFormat(std::move(entryFormat)),
      m_size(size < 0 ? 0 : size), m_maxDisplayLength(maxDisplayLength)
{
}

std::string RecentFileList::operator[](int index) const
{
    return index >= 0 && index < Count() ? m_files[static_cast<size_t>(index)] : std::string();
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty() || m_size == 0)
        return;
    const std::string absolute = AbsolutePath(path);
    m_files.erase(std::remove(m_files.begin(), m_files.end(), absolute), m_files.end());
    m_files.insert(m_files.begin(), absolute);
    if (Count() > m_size)
        m_files.resize(static_cast<size_t>(m_size));
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < Count())
        m_files.erase(m_files.begin() + index);
}

std::string RecentFileList::EntryName(int index) const
{
    std::string name = m_entryFormat;
    const size_t at = name.find("%d");
    if (at != std::string::npos)
        name.replace(at, 2, std::to_string(index + 1));
    return name;
}

void RecentFileList::ReadList(const Profile& profile)
{
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        const std::string file = profile.GetString(m_section, EntryName(i)).value_or(std::string());
        if (!file.empty() && std::find(m_files.begin(), m_files.end(), file) == m_files.end())
            m_files.push_back(file);
    }
}

void RecentFileList::WriteList(Profile& profile) const
{
    for (int i = 0; i < m_size; ++i) {
        if (i < Count()) {
            profile.WriteString(m_section, EntryName(i), m_files[static_cast<size_t>(i)]);
        } else {
            profile.RemoveEntry(m_section, EntryName(i));
        }
    }
}

std::string AbbreviatePath(const std::string& path, int maxLength)
{
    if (static_cast<int>(path.size()) <= maxLength)
        return path;
    // The path's parts between separators, and the separator each part ends with.
    std::vector<std::string> parts;
    std::string separator = "/";
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            parts.push_back(path.substr(start, i - start));
            if (i < path.size())
                separator = std::string(1, path[i]);
            start = i + 1;
        }
    }
    const std::string ellipsis = "...";
    const std::string fileName = parts.back();
    parts.pop_back();
    const auto length = [](const std::string& text) { return static_cast<int>(text.size()); };
    if (length(fileName) + length(ellipsis) + 1 > maxLength || parts.empty())
        return fileName;
    // The root ("" for an absolute path) stays, then "...", then as many trailing folders as fit.
    const std::string root = parts.front();
    parts.erase(parts.begin());
    std::string tail = separator + fileName;
    while (!parts.empty()) {
        const std::string candidate = separator + parts.back() + tail;
        if (length(root) + length(separator) + length(ellipsis) + length(candidate) > maxLength)
            break;
        tail = candidate;
        parts.pop_back();
    }
    if (parts.empty())
        return root + tail;
    return root + separator + ellipsis + tail;
}

std::string RecentFileList::GetDisplayName(int index, const std::string& currentDir) const
{
    if (index < 0 || index >= Count())
        return std::string();
    const std::string& file = m_files[static_cast<size_t>(index)];
    const std::filesystem::path path = PathFromUtf8(file);
    // Compared with a separator at the end of both, so "/a/b" and "/a/b/" are one folder.
    const std::filesystem::path folder = (path.parent_path() / "").lexically_normal();
    const std::filesystem::path current = (PathFromUtf8(currentDir) / "").lexically_normal();
    const bool here = !currentDir.empty() && folder == current;
    std::string name = here ? Utf8FromPath(path.filename()) : AbbreviatePath(file, m_maxDisplayLength);
    std::string shown;
    for (char c : name) {
        shown += c;
        if (c == '&')
            shown += '&';
    }
    return shown;
}

void RecentFileList::UpdateMenu(CmdUI& ui) const
{
    if (!ui.IsMenuItem()) {
        ui.Enable(Count() > 0);
        return;
    }
    const std::string currentDir = CurrentFolder();
    std::vector<std::string> texts;
    for (int i = 0; i < Count(); ++i)
        texts.push_back("&" + std::to_string(i + 1) + " " + GetDisplayName(i, currentDir));
    ui.SetMenuItems(texts);
    ui.Enable(Count() > 0);
}

} // namespace fw
