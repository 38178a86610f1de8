#include "framework/win32/Registry.h"

#include "framework/win32/Win32Text.h"

#include <algorithm>
#include <cstring>

namespace fw::win32 {
namespace {

// Closes the key when it goes.
struct KeyCloser {
    HKEY key;
    ~KeyCloser()
    {
        if (key != nullptr)
            RegCloseKey(key);
    }
};

} // namespace

RegistryProfile::RegistryProfile(std::string organisation, std::string application)
    : m_organisation(std::move(organisation)), m_application(std::move(application))
{
}

std::wstring RegistryProfile::SectionPath(const std::string& section) const
{
    std::wstring path = L"Software\\" + Wide(m_organisation) + L"\\" + Wide(m_application);
    if (!section.empty()) {
        std::wstring sub = Wide(section);
        std::replace(sub.begin(), sub.end(), L'/', L'\\'); // "Layout/Bar32771" is a subkey
        path += L"\\" + sub;
    }
    return path;
}

HKEY RegistryProfile::Open(const std::string& section, bool create) const
{
    const std::wstring path = SectionPath(section);
    HKEY key = nullptr;
    LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                         : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return result == ERROR_SUCCESS ? key : nullptr;
}

std::optional<std::vector<uint8_t>> RegistryProfile::ReadRaw(const std::string& section, const std::string& entry,
                                                             DWORD expectedType) const
{
    KeyCloser key{Open(section, false)};
    if (key.key == nullptr)
        return std::nullopt;
    const std::wstring name = Wide(entry);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != expectedType)
        return std::nullopt;
    std::vector<uint8_t> data(size);
    if (RegQueryValueExW(key.key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &size) !=
            ERROR_SUCCESS ||
        type != expectedType)
        return std::nullopt;
    data.resize(size);
    return data;
}

std::optional<std::string> RegistryProfile::ReadString(const std::string& section, const std::string& entry) const
{
    std::optional<std::vector<uint8_t>> data = ReadRaw(section, entry, REG_SZ);
    if (!data)
        return std::nullopt;
    std::wstring text(data->size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(text.data(), data->data(), text.size() * sizeof(wchar_t));
    // A stored string may or may not carry its terminator.
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return Utf8(text);
}

std::optional<uint32_t> RegistryProfile::ReadNumber(const std::string& section, const std::string& entry) const
{
    std::optional<std::vector<uint8_t>> data = ReadRaw(section, entry, REG_DWORD);
    if (!data || data->size() != sizeof(uint32_t))
        return std::nullopt;
    uint32_t value = 0;
    std::memcpy(&value, data->data(), sizeof value);
    return value;
}

std::optional<std::vector<uint8_t>> RegistryProfile::ReadBinary(const std::string& section,
                                                                const std::string& entry) const
{
    return ReadRaw(section, entry, REG_BINARY);
}

bool RegistryProfile::WriteRaw(const std::string& section, const std::string& entry, DWORD type, const void* data,
                               DWORD size) const
{
    KeyCloser key{Open(section, true)};
    if (key.key == nullptr)
        return false;
    const std::wstring name = Wide(entry);
    return RegSetValueExW(key.key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryProfile::WriteString(const std::string& section, const std::string& entry, const std::string& value) const
{
    const std::wstring text = Wide(value);
    return WriteRaw(section, entry, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool RegistryProfile::WriteNumber(const std::string& section, const std::string& entry, uint32_t value) const
{
    return WriteRaw(section, entry, REG_DWORD, &value, sizeof value);
}

bool RegistryProfile::WriteBinary(const std::string& section, const std::string& entry,
                                  const std::vector<uint8_t>& value) const
{
    return WriteRaw(section, entry, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
}

bool RegistryProfile::RemoveEntry(const std::string& section, const std::string& entry) const
{
    KeyCloser key{Open(section, true)};
    if (key.key == nullptr)
        return false;
    const std::wstring name = Wide(entry);
    const LONG result = RegDeleteValueW(key.key, name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool RegistryProfile::RemoveSection(const std::string& section) const
{
    const std::wstring path = SectionPath(section);
    const LONG result = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

} // namespace fw::win32
