// The profile on Qt: QSettings of the organisation (the registry key) and the application, with
// "section/entry" keys.
#include "framework/Profile.h"
#include "framework/qt/QtWnd.h"

#include <QSettings>

namespace fw {

struct Profile::Impl {
    QSettings settings;
    Impl(const std::string& key, const std::string& app) : settings(qt::ToQ(key), qt::ToQ(app)) {}
};

namespace {

QString Key(const std::string& section, const std::string& entry)
{
    return qt::ToQ(section) + QLatin1Char('/') + qt::ToQ(entry);
}

} // namespace

Profile::Profile(const std::string& registryKey, const std::string& appName)
    : m_impl(std::make_unique<Impl>(registryKey, appName))
{
}

Profile::~Profile() = default;

std::optional<std::string> Profile::GetString(const std::string& section, const std::string& entry) const
{
    const QVariant value = m_impl->settings.value(Key(section, entry));
    if (!value.isValid() || value.typeId() == QMetaType::QByteArray)
        return std::nullopt;
    return qt::FromQ(value.toString());
}

std::optional<int> Profile::GetInt(const std::string& section, const std::string& entry) const
{
    const QVariant value = m_impl->settings.value(Key(section, entry));
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!value.isValid() || !ok)
        return std::nullopt;
    return number;
}

std::optional<std::vector<uint8_t>> Profile::GetBinary(const std::string& section, const std::string& entry) const
{
    const QVariant value = m_impl->settings.value(Key(section, entry));
    if (!value.isValid() || value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool Profile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    m_impl->settings.setValue(Key(section, entry), qt::ToQ(value));
    m_impl->settings.sync();
    return m_impl->settings.status() == QSettings::NoError;
}

bool Profile::WriteInt(const std::string& section, const std::string& entry, int value)
{
    m_impl->settings.setValue(Key(section, entry), value);
    m_impl->settings.sync();
    return m_impl->settings.status() == QSettings::NoError;
}

bool Profile::WriteBinary(const std::string& section, const std::string& entry, const std::vector<uint8_t>& value)
{
    m_impl->settings.setValue(Key(section, entry), QByteArray(reinterpret_cast<const char*>(value.data()),
                                                              static_cast<qsizetype>(value.size())));
    m_impl->settings.sync();
    return m_impl->settings.status() == QSettings::NoError;
}

bool Profile::RemoveEntry(const std::string& section, const std::string& entry)
{
    m_impl->settings.remove(Key(section, entry));
    m_impl->settings.sync();
    return true;
}

bool Profile::RemoveSection(const std::string& section)
{
    m_impl->settings.remove(qt::ToQ(section));
    m_impl->settings.sync();
    return true;
}

} // namespace fw
