#pragma once
// An in-memory DLGTEMPLATE, the form CreateDialogIndirectParamA and DialogBoxIndirectParamA
// take: the dialog's header with its font, then one DLGITEMTEMPLATE per control, every record
// on a DWORD boundary. Coordinates are dialog units; texts are written as UTF-16.
#include "framework/win32/Win32Headers.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fw::win32 {

// The system classes a template names by atom.
enum class ControlAtom : uint16_t {
    Button = 0x0080,
    Edit = 0x0081,
    Static = 0x0082,
};

class DialogTemplateWriter {
public:
    // DS_SETFONT is added to style when fontFace is not empty. The control count is filled in
    // as controls are added.
    DialogTemplateWriter(uint32_t style, uint32_t exStyle, RECT unitsRect, const std::string& caption, int fontPoints,
                         const std::string& fontFace);

    // A control of a system class given by atom, or by name (common controls).
    void AddControl(uint32_t style, uint32_t exStyle, RECT unitsRect, int id, ControlAtom atom,
                    const std::string& text);
    void AddControl(uint32_t style, uint32_t exStyle, RECT unitsRect, int id, const std::string& className,
                    const std::string& text);

    int ControlCount() const { return m_count; }
    // The template; valid until the writer changes or goes.
    const DLGTEMPLATE* Template() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }
    size_t SizeInBytes() const { return m_words.size() * sizeof(uint16_t); }

private:
    void Word(uint16_t value) { m_words.push_back(value); }
    void Dword(uint32_t value);
    void Text(const std::string& utf8);
    void AlignDword();
    void ItemHeader(uint32_t style, uint32_t exStyle, RECT unitsRect, int id);

    std::vector<uint16_t> m_words; // starts DWORD-aligned (operator new aligns to 16)
    int m_count = 0;
};

} // namespace fw::win32
