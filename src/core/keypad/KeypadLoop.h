#pragma once

#include "KeypadExchange.h"
#include "PanelImage.h"
#include "PanelKey.h"

#include <QElapsedTimer>
#include <functional>
#include <optional>

class CommExchange;
class FrameItemSource;

// The keypad's polling loop. Each cycle reads the panel block, hands it to the display, lets
// pending events run (key clicks arrive there and only set flags) and then writes the
// pending keys, each as strobe "FA10" and key code "FA11" with RAM writes. No sleep: each
// cycle waits only for its replies, so the loop polls as fast as the line allows and the
// processor rests while the bytes are on the line.
//
// A click on RUN, STOP, MON or ENT writes key code 0 at once and the key in the next cycle:
// strobe 1, the key's code, strobe 0. Pressing UP or DOWN writes code 0 and strobe 1; while
// held, every cycle writes its code; after release the fixed release code and strobe 0.
class KeypadLoop
{
public:
    /// Polling starts this long after the window became active.
    static constexpr int StartDelayMs = 200;

    KeypadLoop(CommExchange &exchange, const FrameItemSource &items);

    /// Called with every panel read: the block, or nothing when the read failed.
    std::function<void(const std::optional<PanelBlock> &)> show;
    /// Lets pending events run once per cycle.
    std::function<void()> pump;

    /// Looks up the key parameters and notes the clock: the next cycle's period counts from now.
    void start();
    /// Runs cycles until stop() is called (from an event handler during the pump).
    void run();
    /// Ends run() at the end of the current cycle.
    void stop() { m_polling = false; }
    bool polling() const { return m_polling; }

    /// One cycle: read, show, pump, send pending keys.
    void cycle();

    /// RUN, STOP, MON or ENT clicked (UP and DOWN: pressed and released at once).
    void click(PanelKey key);
    /// UP or DOWN pressed (other keys: a click).
    void press(PanelKey key);
    /// UP or DOWN released.
    void release(PanelKey key);
    /// Whether keys still wait to be sent.
    bool keysPending() const;

    /// The last block read; a failed read leaves it as it was.
    const std::optional<PanelBlock> &lastBlock() const { return m_lastBlock; }
    bool lastReadFailed() const { return m_lastReadFailed; }
    int cycles() const { return m_cycles; }
    int readFailures() const { return m_readFailures; }
    /// Key writes the drive did not answer (the loop goes on regardless).
    int keyWriteFailures() const { return m_keyWriteFailures; }
    /// The base of the last cycle's key codes.
    int lastBase() const { return m_base; }

private:
    struct Held {
        bool held = false;
        bool releasePending = false;
    };

    void write(int index, int value);
    void sendStrobed(PanelKey key, int base);
    void sendHeld(PanelKey key, Held &state, int releaseCode, int base);
    void sendPendingKeys(int base);

    CommExchange &m_exchange;
    const FrameItemSource &m_items;
    KeypadExchange m_panel;
    int m_keyCodeIndex = -1;
    int m_strobeIndex = -1;
    QElapsedTimer m_clock;
    qint64 m_previousStartMs = 0;
    bool m_polling = false;
    bool m_pending[6] = {};  // RUN, STOP, MON, ENT pending (by PanelKey)
    Held m_up, m_down;
    std::optional<PanelBlock> m_lastBlock;
    bool m_lastReadFailed = false;
    int m_cycles = 0;
    int m_readFailures = 0;
    int m_keyWriteFailures = 0;
    int m_base = 1;
};
