#include "KeypadLoop.h"

#include "comm/CommExchange.h"
#include "comm/FrameItemSource.h"

KeypadLoop::KeypadLoop(CommExchange &exchange, const FrameItemSource &items)
    : m_exchange(exchange), m_items(items), m_panel(exchange)
{
}

void KeypadLoop::start()
{
    m_keyCodeIndex = m_items.indexOfComNo(QStringLiteral("FA11"));
    m_strobeIndex = m_items.indexOfComNo(QStringLiteral("FA10"));
    m_clock.start();
    m_previousStartMs = 0;
}

void KeypadLoop::run()
{
    if (!m_clock.isValid())
        start();
    m_polling = true;
    while (m_polling)
        cycle();
}

void KeypadLoop::cycle()
{
    const qint64 now = m_clock.isValid() ? m_clock.elapsed() : 0;
    const int base = PanelKeys::base(now - m_previousStartMs);
    m_previousStartMs = now;
    m_base = base;
    ++m_cycles;

    bool failed = false;
    const std::optional<QByteArray> data = m_panel.read(failed);
    std::optional<PanelBlock> block = data ? PanelBlock::decode(*data) : std::nullopt;
    m_lastReadFailed = !block;
    if (block)
        m_lastBlock = block;
    else
        ++m_readFailures;
    if (show)
        show(block);
    if (pump)
        pump();
    sendPendingKeys(base);
}

void KeypadLoop::write(int index, int value)
{
    bool failed = false;
    m_exchange.exchange(index, QString::number(value), failed, 'P');
    if (failed)
        ++m_keyWriteFailures;
}

void KeypadLoop::click(PanelKey key)
{
    if (PanelKeys::isHeld(key)) {
        press(key);
        release(key);
        return;
    }
    write(m_keyCodeIndex, 0);
    m_pending[int(key)] = true;
}

void KeypadLoop::press(PanelKey key)
{
    if (!PanelKeys::isHeld(key)) {
        click(key);
        return;
    }
    write(m_keyCodeIndex, 0);
    write(m_strobeIndex, 1);
    Held &state = key == PanelKey::Up ? m_up : m_down;
    state.held = true;
    state.releasePending = true;
}

void KeypadLoop::release(PanelKey key)
{
    if (key == PanelKey::Up)
        m_up.held = false;
    else if (key == PanelKey::Down)
        m_down.held = false;
}

bool KeypadLoop::keysPending() const
{
    for (bool pending : m_pending)
        if (pending)
            return true;
    return m_up.releasePending || m_down.releasePending;
}

void KeypadLoop::sendStrobed(PanelKey key, int base)
{
    if (!m_pending[int(key)])
        return;
    write(m_strobeIndex, 1);
    write(m_keyCodeIndex, PanelKeys::code(base, key));
    write(m_strobeIndex, 0);
    m_pending[int(key)] = false;
}

void KeypadLoop::sendHeld(PanelKey key, Held &state, int releaseCode, int base)
{
    if (state.held) {
        write(m_keyCodeIndex, PanelKeys::code(base, key));
    } else if (state.releasePending) {
        write(m_keyCodeIndex, releaseCode);
        write(m_strobeIndex, 0);
        state.releasePending = false;
    }
}

void KeypadLoop::sendPendingKeys(int base)
{
    // Every code of this cycle comes from its own base, however many keys are pending.
    sendStrobed(PanelKey::Run, base);
    sendStrobed(PanelKey::Stop, base);
    sendHeld(PanelKey::Up, m_up, PanelKeys::UpRelease, base);
    sendHeld(PanelKey::Down, m_down, PanelKeys::DownRelease, base);
    sendStrobed(PanelKey::Mon, base);
    sendStrobed(PanelKey::Ent, base);
}
