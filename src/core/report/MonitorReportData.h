#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// What the monitor report prints of a recording, handed over by the monitoring window (or a
// recording file) as plain values: the set-up texts as the window shows them and, per
// channel, its item, multiplier, offset, colour and the points of its line.
struct MonitorReportChannel {
    bool selected = false;
    QString item;
    QString multiplier = QStringLiteral("1");  // the "Multi." field's text
    QString offset = QStringLiteral("0");      // the "Offset" field's text
    int color = 0;                             // line colour, 0x00BBGGRR
    int decimals = 0;  // decimals of the item's values: its "Mul" 10, 100, 1000 give 1, 2, 3
    QVector<double> points;  // y of the line as drawn: value × multiplier + offset
};

struct MonitorReportData {
    // Captions of the settings block and the texts after the values, as the window shows them.
    QString timeCaption = QStringLiteral("Time");
    QString timeUnit = QStringLiteral("(s/div)");
    QString scopeCaption = QStringLiteral("Scope");
    QString scopeUnit = QStringLiteral("(%)");
    QString sourceCaption = QStringLiteral("Trigger Sourse");
    QString levelCaption = QStringLiteral("Trigger Level");  // [Monitor] Label83
    QString slopeCaption = QStringLiteral("Trigger Slope");
    QString delayCaption = QStringLiteral("Trigger Delay");  // [Monitor] Label84

    QString timePerDivision;  // the continuous value in continuous mode, else the chart's
    QString scope;            // percent
    bool trigger = false;     // "Use Level Trigger"
    int triggerChannel = 0;   // 0 = CH1
    QString triggerLevel;     // the trigger marker's hint
    QString triggerSlope;
    QString triggerDelay;     // the "Delay (%)" text

    int samplesTaken = -1;  // index of the last point taken; negative: nothing recorded
    int armedChecks = 0;    // alarm and trip checks armed: their channels are not listed
    bool decimalComma = false;
    /// Column headings: "CH" and [PrintMon] Label2 .. Label9.
    QStringList headings{QStringLiteral("CH"),    QStringLiteral("Monitor"), QStringLiteral("Title"),
                         QStringLiteral("Multi."), QStringLiteral("Offset"),  QStringLiteral("Min."),
                         QStringLiteral("Max."),   QStringLiteral("Start"),   QStringLiteral("Stop")};
    QVector<MonitorReportChannel> channels;  // channel 1 first
};
