#pragma once
// Text between the framework (UTF-8) and the window system (UTF-16).
#include <string>

namespace fw::win32 {

std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);
std::string Utf8(const wchar_t* text); // null gives ""

} // namespace fw::win32
