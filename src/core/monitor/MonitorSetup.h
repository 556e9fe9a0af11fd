#pragma once

#include <QString>
#include <array>

class Settings;
struct DriveSelection;

// One of the ten channels CH1..CH10: which item it shows and how its line is drawn.
struct MonitorChannel {
    static constexpr int MultiplierMinTenths = 1;   // 0.1
    static constexpr int MultiplierMaxTenths = 100; // 10.0
    static constexpr int OffsetMin = 0;
    static constexpr int OffsetMax = 500;

    bool selected = false;     // the channel is read and drawn
    int item = 0;              // index into MonitorItemList
    bool unitChange = false;   // show the item in its alternative unit
    int multiplierTenths = 10; // drawing scale in tenths, 1..100
    int offset = 0;            // drawing offset, 0..500
    int color = 0;             // 0x00BBGGRR

    double multiplier() const { return multiplierTenths * 0.1; }
    /// Where a value is drawn: value x multiplier + offset.
    double drawn(double value) const { return value * multiplier() + offset; }
};

enum class TriggerSlope { Up = 0, Down = 1, Both = 2 };

// The whole set-up of the monitoring window kept in [Monitor] between sessions. The texts
// are the entry fields' texts; every number in here has passed its entry's validation.
struct MonitorSetup {
    static constexpr int Channels = 10;

    std::array<MonitorChannel, Channels> channels;
    double timePerDivisionS = 2.5;  // "Time", seconds per division of 5 samples
    int valueMax = 100;             // "Max.", 100..500 step 5
    bool zoom = false;
    bool useTrigger = false;        // "Use Level Trigger"
    int triggerChannel = 0;         // 0 = CH1
    TriggerSlope triggerSlope = TriggerSlope::Up;
    int triggerLevel = 0;           // 0..500, vertical-axis units
    int triggerDelayPercent = 0;    // 0..100

    /// CH1..CH5 selected, channel n shows item n-1, default colours, and the defaults above.
    static MonitorSetup defaults();
    int selectedCount() const;
};

// The validation every numeric entry of the window shares.
struct MonitorEntry {
    enum class Status { Accepted, NotNumber, OutOfRange };
    Status status = Status::Accepted;
    double value = 0;  // the value accepted, or for OutOfRange the nearest limit

    /// `text` checked against low..high.
    static MonitorEntry check(const QString &text, double low, double high);
    bool accepted() const { return status == Status::Accepted; }
};

/// Reads [Monitor] into `setup`. A set-up saved for another type or CPU version is erased
/// first. Item indexes outside 0..itemCount-1 become 0. Texts that are not numbers keep the
/// default; numbers outside their range take the nearest limit. `lowestTimePerDivisionS`
/// is the time base's lower limit at the moment.
void RestoreMonitorSetup(Settings &settings, const DriveSelection &drive, int itemCount,
                         double lowestTimePerDivisionS, MonitorSetup &setup);
/// Writes `setup` and the drive it belongs to into [Monitor].
void SaveMonitorSetup(Settings &settings, const DriveSelection &drive, const MonitorSetup &setup);

/// Texts of the entry fields: multiplier with one decimal, offset and level without
/// decimals, time per division with one decimal.
QString MultiplierText(int tenths);
QString TimePerDivisionText(double seconds);
