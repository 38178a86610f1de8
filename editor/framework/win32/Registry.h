#pragma once
// The application's profile in the registry: values under
// HKEY_CURRENT_USER\Software\<organisation>\<application>\<section> ('/' in a section names a
// subkey), strings as REG_SZ (UTF-8 names and texts written as UTF-16), numbers as REG_DWORD
// and byte blocks as REG_BINARY.
#include "framework/win32/Win32Headers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fw::win32 {

class RegistryProfile {
public:
    RegistryProfile(std::string organisation, std::string application);

    std::optional<std::string> ReadString(const std::string& section, const std::string& entry) const;
    std::optional<uint32_t> ReadNumber(const std::string& section, const std::string& entry) const;
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& section, const std::string& entry) const;

    bool WriteString(const std::string& section, const std::string& entry, const std::string& value) const;
    bool WriteNumber(const std::string& section, const std::string& entry, uint32_t value) const;
    bool WriteBinary(const std::string& section, const std::string& entry, const std::vector<uint8_t>& value) const;

    bool RemoveEntry(const std::string& section, const std::string& entry) const;
    // Removes a section with everything in it.
    bool RemoveSection(const std::string& section) const;

    // The key's path below HKEY_CURRENT_USER.
    std::wstring SectionPath(const std::string& section) const;

private:
    // Opened for reading, or created for writing; null when it cannot be.
    HKEY Open(const std::string& section, bool create) const;
    std::optional<std::vector<uint8_t>> ReadRaw(const std::string& section, const std::string& entry,
                                                DWORD expectedType) const;
    bool WriteRaw(const std::string& section, const std::string& entry, DWORD type, const void* data, DWORD size) const;

    std::string m_organisation;
    std::string m_application;
};

} // namespace fw::win32
