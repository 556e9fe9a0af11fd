#pragma once

#include "OptionDefs.h"

#include <QString>
#include <array>

class Settings;

// The live environment options of one run. Loaded from [Options] when the options window is
// created (a missing, non-numeric or out-of-range value takes its default), edited only
// through the options window or `vkr options`, written back at every close of that window.
// Every part of the program that needs an option reads it here.
class Options
{
public:
    Options();

    int value(Opt id) const { return m_values[std::size_t(id)]; }
    bool on(Opt id) const { return value(id) != 0; }
    /// Sets an option; a value outside its limits is clamped to the nearest limit.
    void set(Opt id, int value);

    /// Every stored option from [Options]; "Check the Inverter Type-Form" is on at every start,
    /// the run-only options are off.
    void load(const Settings &settings);
    /// Every stored option to [Options] in one atomic write of the file; "Mainte" only while
    /// maintenance mode is not active. False when the file could not be written; it then
    /// keeps its old contents.
    bool save(Settings &settings, bool maintenanceActive) const;
    /// One option to [Options]; false when the file could not be written.
    bool save(Settings &settings, Opt id) const;

    /// "Restore to factory settings": every option to its factory value.
    void restoreFactory();
    /// "Set default colors": the "Master's" colours, check boxes and tuning values.
    void setDefaultColors();

    // The verdict on a typed numeric entry.
    struct Entry {
        enum class Verdict { Accepted, NotNumber, BelowMin, AboveMax };
        Verdict verdict = Verdict::NotNumber;
        int value = 0;  // the value to take: the rounded entry or the nearest limit
        bool accepted() const { return verdict == Verdict::Accepted; }
        /// Language message shown for the verdict (67 or 41), -1 when accepted.
        int message() const;
    };
    /// Checks text typed for an option. `asShown`: as the window shows it (the free-unit factor
    /// in units); otherwise as the settings file holds it (the factor in hundredths). Colours and
    /// check boxes take decimal or 0x-prefixed integers.
    static Entry check(Opt id, const QString &text, bool asShown = true);

private:
    static int clamp(Opt id, int value);
    std::array<int, OptionDefs::Count> m_values{};
};
