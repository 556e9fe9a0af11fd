#include "SnapshotTexts.h"

#include "app/LanguageFile.h"
#include "app/MessageTable.h"

SnapshotTexts SnapshotTexts::load(const LanguageFile *language, const MessageTable &messages)
{
    auto text = [language](const char *key, const char *def) {
        const QString builtIn = QString::fromUtf8(def);
        return language ? language->text(QStringLiteral("Snapshot"), QLatin1String(key), builtIn) : builtIn;
    };
    SnapshotTexts t;
    t.caption = messages.caption();
    t.readFailed = text("ReadFailed", "The snapshot before writing could not be taken: the inverter did not answer "
                                      "for %1. Nothing has been written.");
    t.writeFailed = text("WriteFailed", "The snapshot before writing could not be saved to %1 (%2). Nothing has "
                                        "been written.");
    t.goOn = text("GoOn", "Write to the inverter without a snapshot?");
    t.comment = text("Comment", "Snapshot before writing, inverter number %1");
    t.noSnapshot = text("NoSnapshot", "No snapshot of this inverter was found in %1.");
    t.restoreAsk = text("RestoreAsk", "Write the snapshot %1 back to the inverter?");
    t.unusable = text("Unusable", "The snapshot %1 cannot be restored: %2");
    return t;
}
