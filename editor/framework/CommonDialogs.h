#pragma once
// The system's own dialogs: choosing a colour, and naming a file to open or to save.
#include "framework/Types.h"

#include <cstdint>
#include <string>

namespace fw {

class Wnd;

class ColorDialog {
public:
    // Flags: the window system's colour dialog options.
    static constexpr uint32_t RgbInit = 0x0001;  // start from the given colour
    static constexpr uint32_t FullOpen = 0x0002; // custom colours shown at once
    static constexpr uint32_t AnyColor = 0x0100;

    ColorDialog(Color initial = 0, uint32_t flags = 0, Wnd* parent = nullptr)
        : m_color(initial), m_flags(flags), m_parent(parent)
    {
    }

    // Runs modally: IdOk with the chosen colour in GetColor, or IdCancel.
    int DoModal();
    Color GetColor() const { return m_color; }
    uint32_t Flags() const { return m_flags; }

private:
    Color m_color;
    uint32_t m_flags;
    Wnd* m_parent;
};

class FileDialog {
public:
    // filter: "Name (*.ext)|*.ext|All Files (*.*)|*.*||", pairs of a description and a pattern.
    FileDialog(bool open, std::string defaultExt, std::string fileName, std::string filter, Wnd* parent = nullptr)
        : m_open(open), m_defaultExt(std::move(defaultExt)), m_fileName(std::move(fileName)),
          m_filter(std::move(filter)), m_parent(parent)
    {
    }

    void SetTitle(std::string title) { m_title = std::move(title); }
    // Runs modally: IdOk with the file in GetPathName (the default extension added to a name
    // without one), or IdCancel.
    int DoModal();
    const std::string& GetPathName() const { return m_fileName; }
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
    std::string m_defaultExt;
    std::string m_fileName;
    std::string m_filter;
    std::string m_title;
    Wnd* m_parent;
};

} // namespace fw
