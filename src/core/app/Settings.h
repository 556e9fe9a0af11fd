#pragma once

#include "SettingsKeys.h"
#include "base/IniFile.h"

#include <QString>
#include <QStringList>

// The typed layer over the settings file. Every read gives the key's default when the file,
// the section or the key is missing or the value is malformed; a failed write is not
// reported (the file may be read-only).
class Settings
{
public:
    Settings(const QString &path, const QString &appFolder);

    QString path() const { return m_ini.path(); }

    int get(const IntKey &key) const;
    bool get(const BoolKey &key) const;
    QString get(const TextKey &key) const;

    // False when the file could not be written (the windows ignore it; the command line says so).
    bool set(const IntKey &key, int value);
    bool set(const BoolKey &key, bool value);
    bool set(const TextKey &key, const QString &value);
    /// Writes between these two go to the file as one atomic replace at commitBatch(), which
    /// is false (and leaves the old file) when that write failed.
    void beginBatch() { m_ini.beginBatch(); }
    bool commitBatch() { return m_ini.commitBatch(); }
    /// Why the last failed write failed.
    QString lastError() const { return m_ini.lastError(); }

    // Channel keys of [Monitor], channel 1..10.
    int monitorItem(int channel) const;
    bool monitorUnit(int channel) const;
    QString monitorMultiplier(int channel) const;
    QString monitorOffset(int channel) const;
    int monitorColor(int channel) const;
    bool monitorSelected(int channel) const;
    void setMonitorChannel(int channel, int item, bool unit, const QString &multiplier, const QString &offset,
                           int color, bool selected);

    /// The language names offered at start: the [Language] key names in file order.
    QStringList languages() const;
    /// [Language] <name> read as a boolean.
    bool decimalComma(const QString &languageName) const;
    /// On a first run (no [Language] Japanese) writes Japanese=0 and English=0; true when it did.
    bool ensureLanguages();

    /// The monitoring window was created with "Keep Monitor Setup" off: the whole [Monitor]
    /// section goes, MonPath included.
    void eraseMonitorUnlessKept(bool keepMonitorSetup);
    /// The monitor set-up is about to be read: when it was saved for another type or CPU
    /// version the whole section goes, so every key takes its default.
    void eraseMonitorIfOtherDrive(const QString &typeName, const QString &cpuVersion);

private:
    static QString channelKey(const ChannelKey &key, int channel);

    IniFile m_ini;
    QString m_appFolder;
};

// 0x00BBGGRR colour parts.
namespace BgrColor {
constexpr int red(int bgr) { return bgr & 0xFF; }
constexpr int green(int bgr) { return (bgr >> 8) & 0xFF; }
constexpr int blue(int bgr) { return (bgr >> 16) & 0xFF; }
constexpr int fromRgb(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
}  // namespace BgrColor
