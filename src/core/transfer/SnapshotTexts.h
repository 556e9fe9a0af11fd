#pragma once

#include <QString>

class LanguageFile;
class MessageTable;

// The texts of the snapshot taken before writing and of "Restore last snapshot", from the
// language file's [Snapshot] section, each with its built-in English text.
struct SnapshotTexts {
    QString caption;      // language message 0
    QString readFailed;   // %1: title and number of the parameter that did not answer
    QString writeFailed;  // %1: the file, %2: the reason
    QString goOn;         // question: write without a snapshot?
    QString comment;      // comment line of the file; %1: the inverter number
    QString noSnapshot;   // %1: the folder looked in
    QString restoreAsk;   // %1: the file
    QString unusable;     // %1: the file, %2: the reason

    /// The built-in texts, replaced by those of `language` when it has them (nullptr: none).
    static SnapshotTexts load(const LanguageFile *language, const MessageTable &messages);
};
