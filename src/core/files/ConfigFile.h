#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class DriveData;
class MessageTable;
class Prompter;
struct DriveSelection;

// The XML configuration file ".cfg" of the configuration tool VKW530T. Entries are eight
// characters: a four-character key (communication numbers 0000-0999, A000-A999, C000-C999,
// written in lower case) and the raw value as four hexadecimal digits. Lines end with LF;
// after the checksum comment the file ends with CR LF. The checksum is CRC-16/MCRF4XX over
// every byte before the checksum line, as four upper-case hexadecimal digits.
class ConfigFile
{
public:
    /// The whole file for the loaded set. A parameter whose raw value is negative or does not
    /// fit four hexadecimal digits gives no entry; the keys of the too large ones go to
    /// *tooLarge.
    static QByteArray build(DriveData &data, const DriveSelection &selection, const QString &deviceId,
                            QStringList *tooLarge = nullptr);
    /// Writes the bytes atomically; false with *error set, the previous file then stays.
    static bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

    static QString checksumText(const QByteArray &bytes);

    enum class Integrity {
        Sound,
        CutShort,          // not a complete XML document, or no checksum line
        ChecksumMismatch,  // complete, but edited after it was written
    };
    struct Check {
        Integrity integrity = Integrity::CutShort;
        QString stored;    // checksum the file names
        QString computed;  // checksum of its contents
    };
    static Check check(const QByteArray &bytes);

    /// The special set-up message of the "0900" data lines: language message 103 and/or 104
    /// each with a line break, then a line break and 105; empty when both are normal.
    static QString specialSetupText(const QStringList &lines, const MessageTable &messages);

    /// The entries of the data lines, keys and values as written (CFG_CNum, CFG_Val).
    static void collect(const QStringList &lines, QStringList *keys, QStringList *values);
    /// The value of `key` (any case) in decimal; "Err." when absent or no hexadecimal number.
    static QString ConfigValueOf(const QStringList &keys, const QStringList &values, const QString &key);

    struct DriveNumbers {
        int type = -1;  // -1: not a hexadecimal number
        int form = -1;
        int cpu = -1;
    };
    /// Type, form and CPU numbers of the drive compatibility line (line 8).
    static DriveNumbers driveNumbers(const QStringList &lines);

    static QString errText();
};
