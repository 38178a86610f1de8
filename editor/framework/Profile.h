#pragma once
// The application's profile: settings kept between runs under an organisation key and the
// application's name (the registry on Windows, the desktop's settings store elsewhere), as
// entries in named sections. A section may name a subsection with '/'.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {

class Profile {
public:
    struct Impl;

    Profile(const std::string& registryKey, const std::string& appName);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    // Nothing when the entry is missing or holds another kind of value.
    std::optional<std::string> GetString(const std::string& section, const std::string& entry) const;
    std::optional<int> GetInt(const std::string& section, const std::string& entry) const;
    std::optional<std::vector<uint8_t>> GetBinary(const std::string& section, const std::string& entry) const;
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& entry, int value);
    bool WriteBinary(const std::string& section, const std::string& entry, const std::vector<uint8_t>& value);
    bool RemoveEntry(const std::string& section, const std::string& entry);
    // The section with every entry and subsection in it.
    bool RemoveSection(const std::string& section);

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace fw
