#pragma once

#include <QString>
#include <QStringList>

// The checks of the page set-up and preview entry fields. A verdict names the language
// message to show (with the stop icon) and, for a number beyond its limits, the limit that
// replaces the text. The window keeps the focus on a field that did not pass.
namespace PageSetupCheck {

struct Verdict {
    bool ok = true;
    int message = -1;     // language message to show, -1 for none
    QString replacement;  // new text of the field, empty to keep it

    bool operator==(const Verdict &) const = default;
};

/// A margin: a number of millimetres, 0 to 30.
Verdict margin(const QString &text);
/// The row height: whole points, 10 to 30.
Verdict rowHeight(const QString &text);
/// The font size: whole points, 5 to 22.
Verdict fontSize(const QString &text);
/// The paper size: one of `list` (message 17 otherwise).
Verdict paper(const QString &text, const QStringList &list);
/// The font: one of the system's `families` (message 18 otherwise).
Verdict font(const QString &text, const QStringList &families);
/// The preview zoom: whole percent, 2 to 999.
Verdict zoom(const QString &text);

}  // namespace PageSetupCheck
