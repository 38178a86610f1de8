#include "framework/win32/DialogTemplateWriter.h"

#include "framework/win32/Win32Text.h"

namespace fw::win32 {

DialogTemplateWriter::DialogTemplateWriter(uint32_t style, uint32_t exStyle, RECT unitsRect, const std::string& caption,
                                           int fontPoints, const std::string& fontFace)
{
    if (!fontFace.empty())
        style |= DS_SETFONT;
    Dword(style);
    Dword(exStyle);
    Word(0); // control count, counted in AddControl
    Word(static_cast<uint16_t>(unitsRect.left));
    Word(static_cast<uint16_t>(unitsRect.top));
    Word(static_cast<uint16_t>(unitsRect.right - unitsRect.left));
    Word(static_cast<uint16_t>(unitsRect.bottom - unitsRect.top));
    Word(0); // no menu
    Word(0); // the system's dialog class
    Text(caption);
    if (style & DS_SETFONT) {
        Word(static_cast<uint16_t>(fontPoints));
        Text(fontFace);
    }
}

void DialogTemplateWriter::Dword(uint32_t value)
{
    Word(static_cast<uint16_t>(value & 0xFFFF));
    Word(static_cast<uint16_t>(value >> 16));
}

void DialogTemplateWriter::Text(const std::string& utf8)
{
    const std::wstring wide = Wide(utf8);
    for (wchar_t c : wide)
        Word(static_cast<uint16_t>(c));
    Word(0);
}

void DialogTemplateWriter::AlignDword()
{
    if (m_words.size() % 2 != 0)
        Word(0);
}

void DialogTemplateWriter::ItemHeader(uint32_t style, uint32_t exStyle, RECT unitsRect, int id)
{
    AlignDword();
    Dword(style);
    Dword(exStyle);
    Word(static_cast<uint16_t>(unitsRect.left));
    Word(static_cast<uint16_t>(unitsRect.top));
    Word(static_cast<uint16_t>(unitsRect.right - unitsRect.left));
    Word(static_cast<uint16_t>(unitsRect.bottom - unitsRect.top));
    Word(static_cast<uint16_t>(id)); // -1, a control nobody refers to, is 0xFFFF
    ++m_count;
    m_words[4] = static_cast<uint16_t>(m_count);
}

void DialogTemplateWriter::AddControl(uint32_t style, uint32_t exStyle, RECT unitsRect, int id, ControlAtom atom,
                                      const std::string& text)
{
    ItemHeader(style, exStyle, unitsRect, id);
    Word(0xFFFF);
    Word(static_cast<uint16_t>(atom));
    Text(text);
    Word(0); // no creation data
}

void DialogTemplateWriter::AddControl(uint32_t style, uint32_t exStyle, RECT unitsRect, int id,
                                      const std::string& className, const std::string& text)
{
    ItemHeader(style, exStyle, unitsRect, id);
    Text(className);
    Text(text);
    Word(0);
}

} // namespace fw::win32
