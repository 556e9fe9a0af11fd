#include "MonitorReportSource.h"

#include "app/LanguageFile.h"
#include "model/DriveData.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorValues.h"

namespace MonitorReportSource {

namespace {

void takeCaptions(MonitorReportData &d, const LanguageFile &language)
{
    const auto monitor = [&](const char *key, const QString &def) {
        return language.text(QStringLiteral("Monitor"), QString::fromLatin1(key), def);
    };
    d.timeCaption = monitor("Label22", d.timeCaption);
    d.timeUnit = monitor("Label23", d.timeUnit);
    d.scopeCaption = monitor("Label24", QStringLiteral("Zoom"));
    d.sourceCaption = monitor("Label81", d.sourceCaption);
    d.levelCaption = monitor("Label83", d.levelCaption);
    d.slopeCaption = monitor("Label82", d.slopeCaption);
    d.delayCaption = monitor("Label84", d.delayCaption);
    // Column 1 is "CH" whatever the language; the others are [PrintMon] Label2 .. Label9.
    for (int c = 1; c < d.headings.size(); ++c)
        d.headings[c] = language.text(QStringLiteral("PrintMon"), QStringLiteral("Label%1").arg(c + 1), d.headings[c]);
}

QString slopeText(TriggerSlope slope, const LanguageFile &language)
{
    const char *keys[] = {"Item71", "Item72", "Item73"};
    const char *defaults[] = {"Up", "Down", "Both"};
    const int k = qBound(0, int(slope), 2);
    return language.text(QStringLiteral("Monitor"), QString::fromLatin1(keys[k]), QString::fromLatin1(defaults[k]));
}

}  // namespace

MonitorReportData collect(const MonitorSetup &setup, const MonitorRecording &recording, const MonitorItemList &items,
                          const DriveData &data, const LanguageFile &language)
{
    MonitorReportData d;
    takeCaptions(d, language);
    d.trigger = setup.useTrigger;
    d.triggerChannel = setup.triggerChannel;
    d.triggerLevel = QString::number(setup.triggerLevel);
    d.triggerSlope = slopeText(setup.triggerSlope, language);
    d.triggerDelay = QString::number(setup.triggerDelayPercent);
    d.samplesTaken = recording.SamplesTaken();
    d.decimalComma = data.decimalComma;
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorChannel &ch = setup.channels[size_t(c)];
        const MonitorItem *item = items.at(ch.item);
        MonitorReportChannel r;
        r.selected = ch.selected;
        r.item = item ? item->name : QString();
        r.multiplier = MultiplierText(ch.multiplierTenths);
        r.offset = QString::number(ch.offset);
        r.color = ch.color;
        r.decimals = item && data.isIndex(item->row) ? ItemDecimals(data.paraDat.at(item->row, ParaDat::Mul)) : 0;
        // A channel that was not recorded has no line: its values print as "-".
        if (recording.channel(c).selected)
            r.points = recording.channel(c).points;
        d.channels.append(r);
    }
    return d;
}

}  // namespace MonitorReportSource
