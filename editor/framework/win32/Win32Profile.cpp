// The profile in the registry, under HKEY_CURRENT_USER\Software\<key>\<application>.
#include "framework/Profile.h"
#include "framework/win32/Registry.h"

namespace fw {

struct Profile::Impl {
    win32::RegistryProfile registry;
};

Profile::Profile(const std::string& registryKey, const std::string& appName)
    : m_impl(std::make_unique<Impl>(Impl{win32::RegistryProfile(registryKey, appName)}))
{
}

Profile::~Profile() = default;

std::optional<std::string> Profile::GetString(const std::string& section, const std::string& entry) const
{
    return m_impl->registry.ReadString(section, entry);
}

std::optional<int> Profile::GetInt(const std::string& section, const std::string& entry) const
{
    const std::optional<uint32_t> value = m_impl->registry.ReadNumber(section, entry);
    if (!value)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<std::vector<uint8_t>> Profile::GetBinary(const std::string& section, const std::string& entry) const
{
    return m_impl->registry.ReadBinary(section, entry);
}

bool Profile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    return m_impl->registry.WriteString(section, entry, value);
}

bool Profile::WriteInt(const std::string& section, const std::string& entry, int value)
{
    return m_impl->registry.WriteNumber(section, entry, static_cast<uint32_t>(value));
}

bool Profile::WriteBinary(const std::string& section, const std::string& entry, const std::vector<uint8_t>& value)
{
    return m_impl->registry.WriteBinary(section, entry, value);
}

bool Profile::RemoveEntry(const std::string& section, const std::string& entry)
{
    return m_impl->registry.RemoveEntry(section, entry);
}

bool Profile::RemoveSection(const std::string& section)
{
    return m_impl->registry.RemoveSection(section);
}

} // namespace fw
