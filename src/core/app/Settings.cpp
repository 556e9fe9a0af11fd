#include "Settings.h"

namespace {

QString s(const char *text)
{
    return QString::fromLatin1(text);
}

}  // namespace

Settings::Settings(const QString &path, const QString &appFolder)
    : m_ini(path, CodePage::Windows1252)
    , m_appFolder(appFolder)
{
}

int Settings::get(const IntKey &key) const
{
    return m_ini.readInt(s(key.section), s(key.name), key.def);
}

bool Settings::get(const BoolKey &key) const
{
    return m_ini.readBool(s(key.section), s(key.name), key.def);
}

QString Settings::get(const TextKey &key) const
{
    return m_ini.readString(s(key.section), s(key.name), key.def ? s(key.def) : m_appFolder);
}

bool Settings::set(const IntKey &key, int value)
{
    return m_ini.writeInt(s(key.section), s(key.name), value);
}

bool Settings::set(const BoolKey &key, bool value)
{
    return m_ini.writeBool(s(key.section), s(key.name), value);
}

bool Settings::set(const TextKey &key, const QString &value)
{
    return m_ini.writeString(s(key.section), s(key.name), value);
}

QString Settings::channelKey(const ChannelKey &key, int channel)
{
    return s(key.prefix) + QString::number(channel);
}

int Settings::monitorItem(int channel) const
{
    const int item = m_ini.readInt(s(Keys::MonItem.section), channelKey(Keys::MonItem, channel), channel - 1);
    return item < 0 ? 0 : item;
}

bool Settings::monitorUnit(int channel) const
{
    return m_ini.readBool(s(Keys::MonUnit.section), channelKey(Keys::MonUnit, channel), false);
}

QString Settings::monitorMultiplier(int channel) const
{
    return m_ini.readString(s(Keys::MonBi.section), channelKey(Keys::MonBi, channel), QStringLiteral("1"));
}

QString Settings::monitorOffset(int channel) const
{
    return m_ini.readString(s(Keys::MonPlus.section), channelKey(Keys::MonPlus, channel), QStringLiteral("0"));
}

int Settings::monitorColor(int channel) const
{
    const int def = (channel >= 1 && channel <= 10) ? Keys::MonitorChannelColors[channel - 1] : 0;
    return m_ini.readInt(s(Keys::MonCh.section), channelKey(Keys::MonCh, channel), def);
}

bool Settings::monitorSelected(int channel) const
{
    return m_ini.readBool(s(Keys::MonSelect.section), channelKey(Keys::MonSelect, channel), channel <= 5);
}

void Settings::setMonitorChannel(int channel, int item, bool unit, const QString &multiplier,
                                 const QString &offset, int color, bool selected)
{
    const QString section = s(Keys::MonitorSection);
    m_ini.writeInt(section, channelKey(Keys::MonItem, channel), item);
    m_ini.writeBool(section, channelKey(Keys::MonUnit, channel), unit);
    m_ini.writeString(section, channelKey(Keys::MonBi, channel), multiplier);
    m_ini.writeString(section, channelKey(Keys::MonPlus, channel), offset);
    m_ini.writeInt(section, channelKey(Keys::MonCh, channel), color);
    m_ini.writeBool(section, channelKey(Keys::MonSelect, channel), selected);
}

QStringList Settings::languages() const
{
    return m_ini.keys(s(Keys::LanguageSection));
}

bool Settings::decimalComma(const QString &languageName) const
{
    return m_ini.readBool(s(Keys::LanguageSection), languageName, false);
}

bool Settings::ensureLanguages()
{
    if (get(Keys::FirstRunProbe) != Keys::FirstRunProbe.def)
        return false;
    for (const char *name : Keys::FirstRunLanguages)
        m_ini.writeInt(s(Keys::LanguageSection), s(name), 0);
    return true;
}

void Settings::eraseMonitorUnlessKept(bool keepMonitorSetup)
{
    if (!keepMonitorSetup)
        m_ini.eraseSection(s(Keys::MonitorSection));
}

void Settings::eraseMonitorIfOtherDrive(const QString &typeName, const QString &cpuVersion)
{
    if (get(Keys::Inv1) != typeName || get(Keys::Inv3) != cpuVersion)
        m_ini.eraseSection(s(Keys::MonitorSection));
}
