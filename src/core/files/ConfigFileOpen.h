#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class DriveData;
class InverterCatalog;
class MessageTable;
class Prompter;
struct DriveSelection;

// Reading a configuration file into the loaded drive's table as "Open" does: a file cut
// short is refused with language message 67, the special set-up refusal, a question when
// the checksum does not match the contents, the drive named by the compatibility line and
// [Type_Ident_<n>] of the catalogue with the type, form and CPU checks, the reset to the
// factory values and the entries. Every message and question goes through the Prompter.
class ConfigFileOpen
{
public:
    enum class Result { Loaded, Refused, Cancelled };

    ConfigFileOpen(DriveData &data, const DriveSelection &selection, const MessageTable &messages,
                   const InverterCatalog &catalog, Prompter &prompter);

    Result open(const QByteArray &bytes);

    /// The entries collected from the last file (CFG_CNum and CFG_Val).
    const QStringList &keys() const { return m_keys; }
    const QStringList &values() const { return m_values; }
    /// The drive the file names, "Err." for a part that is not known.
    QString typeName() const { return m_typeName; }
    QString formName() const { return m_formName; }
    QString cpuVersion() const { return m_cpuVersion; }
    /// Set when the checksum did not match and the user read the file all the same.
    bool checksumMismatch() const { return m_mismatch; }

    /// Off: a checksum that does not match is only reported (warning, OK) and the file is read.
    bool askOnMismatch = true;

    /// The report, and with `question` the question, for a file edited after it was written.
    static QString mismatchText(const QString &stored, const QString &computed, bool question = true);

private:
    void refuse(const QString &text, bool warning);
    bool acceptMismatch(const QString &stored, const QString &computed);
    void identify(const QStringList &lines);
    void applyEntries(bool skipCapacity);

    DriveData &m_data;
    const DriveSelection &m_selection;
    const MessageTable &m_messages;
    const InverterCatalog &m_catalog;
    Prompter &m_prompter;
    QStringList m_keys;
    QStringList m_values;
    QString m_typeName;
    QString m_formName;
    QString m_cpuVersion;
    bool m_mismatch = false;
};
