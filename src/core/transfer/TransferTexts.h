#pragma once

#include "TransferMode.h"
#include "app/MessageTable.h"

#include <QString>

class LanguageFile;

// The screen and report texts of the transfer and result windows ([Working], [WorkingRep],
// [Main] Menu14 of the language file, each with its built-in text) and the language messages
// the transfer shows.
struct TransferTexts {
    // [Working]
    QString formIm = QStringLiteral("Parameter Import");
    QString formEx = QStringLiteral("Parameter Export");
    QString formComp = QStringLiteral("Parameter Comparison");
    QString startButton = QStringLiteral("Start");
    QString cancelButton = QStringLiteral("Cancel");
    QString okButton = QStringLiteral("OK");
    QString noErrInfo = QStringLiteral("Communication was finished without error.");
    QString noDiffInfo = QStringLiteral("No Different Value.");
    // [WorkingRep]
    QString resultIm = QStringLiteral("Import Result");
    QString resultEx = QStringLiteral("Export Result");
    QString resultComp = QStringLiteral("Comparison Result");
    QString resultInfo = QStringLiteral("Inverter Infomation");
    QString resultTrip = QStringLiteral("Trip Information");
    QString info1 = QStringLiteral("* Communication Error Parameters");
    QString info2 = QStringLiteral("* Different Value Parameters");
    QString info3 = QStringLiteral("No Item.");
    QString buff = QStringLiteral("Maintenance Parameter");
    QString result1 = QStringLiteral("Inverter");
    QString result2 = QStringLiteral("VKR410T");
    QString result3 = QStringLiteral("Title");
    QString printButton = QStringLiteral("Print");
    QString saveButton = QStringLiteral("Save");
    QString saveFilter = QStringLiteral("Communication Result (*.txt)|*.txt");
    QString infoSaveFilter = QStringLiteral("Inverter Infomation (*.txt)|*.txt");
    QString printTitle = QStringLiteral("VKR410T");
    // [WorkingRep], the comparison with the factory values as a third column
    QString info4 = QStringLiteral("* Three-Way Comparison");
    QString result4 = QStringLiteral("Factory");
    QString result5 = QStringLiteral("Unit");
    QString result6 = QStringLiteral("Differs");
    QString allDiffer = QStringLiteral("all");
    QString noReply = QStringLiteral("no reply");
    QString compareFactory = QStringLiteral("Compare with factory values");
    // [Main]
    QString saveTitle = QStringLiteral("Save As");

    MessageTable messages;

    static TransferTexts load(const LanguageFile &language, const MessageTable &messages);

    QString message(int k) const { return messages.text(k); }
    QString caption() const { return messages.caption(); }
    /// Caption of the transfer window for a mode.
    QString workCaption(TransferMode mode) const;
    /// Caption of the result window for a mode.
    QString resultCaption(TransferMode mode) const;
    /// Text of the box after a failed exchange (language messages 67, 68, 69 to 71).
    QString errorBoxText(const QString &title) const;
    /// Text of the box after a difference (language messages 72, 73, 69 to 71).
    QString differenceBoxText(const QString &title) const;
};
