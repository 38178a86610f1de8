// The system's colour and file dialogs (comdlg32).
#include "framework/CommandIds.h"
#include "framework/CommonDialogs.h"
#include "framework/win32/Win32Wnd.h"

#include <algorithm>
#include <vector>

namespace fw {

using namespace win32;

namespace {

// The custom colours the user mixed, kept for the program's run as the system's dialog expects.
COLORREF g_customColors[16] = {};

int Result(bool ok)
{
    return ok ? IdOk : IdCancel;
}

} // namespace

int ColorDialog::DoModal()
{
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = HandleOf(m_parent);
    choose.rgbResult = m_color;
    choose.lpCustColors = g_customColors;
    // The flags are the system's own values (CC_RGBINIT, CC_FULLOPEN, CC_ANYCOLOR).
    choose.Flags = m_flags;
    Report("dialog Color");
    const bool ok = ChooseColorA(&choose) != FALSE;
    if (ok)
        m_color = choose.rgbResult;
    Report(ok ? "dialog Color ended ok" : "dialog Color ended cancel");
    return Result(ok);
}

int FileDialog::DoModal()
{
    // "Name (*.ext)|*.ext|...||" becomes the system's list of zero-terminated pairs.
    std::string filter = m_filter;
    for (char& c : filter) {
        if (c == '|')
            c = '\0';
    }
    filter.push_back('\0');
    std::vector<char> name(32768, '\0');
    m_fileName.copy(name.data(), std::min(m_fileName.size(), name.size() - 1));
    std::string defaultExt = m_defaultExt;
    if (!defaultExt.empty() && defaultExt.front() == '.')
        defaultExt.erase(0, 1);

    OPENFILENAMEA file{};
    file.lStructSize = sizeof file;
    file.hwndOwner = HandleOf(m_parent);
    file.lpstrFilter = filter.c_str();
    file.nFilterIndex = 1;
    file.lpstrFile = name.data();
    file.nMaxFile = static_cast<DWORD>(name.size());
    file.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
    file.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    // The working folder stays where the program put it.
    file.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (m_open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    const std::string shown = m_title.empty() ? (m_open ? "Open" : "Save As") : m_title;
    Report("dialog " + shown);
    const bool ok = (m_open ? GetOpenFileNameA(&file) : GetSaveFileNameA(&file)) != FALSE;
    if (ok)
        m_fileName = name.data();
    Report("dialog " + shown + (ok ? " ended ok" : " ended cancel"));
    return Result(ok);
}

} // namespace fw
