#include "Options.h"

#include "Settings.h"

#include <QtMath>
#include <cmath>

using namespace OptionDefs;

namespace {

constexpr int NotNumberMessage = 67;
constexpr int OutOfRangeMessage = 41;

IntKey intKey(const Def &d)
{
    return {"Options", d.key, d.def};
}

BoolKey boolKey(const Def &d)
{
    return {"Options", d.key, d.def != 0};
}

bool parseNumber(const QString &text, bool integerOnly, double &out)
{
    const QString t = text.trimmed();
    bool ok = false;
    if (integerOnly && t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        out = double(t.mid(2).toLongLong(&ok, 16));
        return ok && !t.mid(2).startsWith(QLatin1Char('-'));
    }
    out = t.toDouble(&ok);
    return ok && std::isfinite(out);
}

}  // namespace

Options::Options()
{
    for (int i = 0; i < Count; ++i)
        m_values[std::size_t(i)] = OptionDefs::def(Opt(i)).def;
}

int Options::clamp(Opt id, int value)
{
    const Def &d = OptionDefs::def(id);
    return qBound(d.min, value, d.max);
}

void Options::set(Opt id, int value)
{
    m_values[std::size_t(id)] = clamp(id, value);
}

void Options::load(const Settings &settings)
{
    for (int i = 0; i < Count; ++i) {
        const Def &d = OptionDefs::def(Opt(i));
        int v = d.def;
        if (d.storage == Storage::Stored) {
            if (d.kind == Kind::Bool) {
                v = settings.get(boolKey(d)) ? 1 : 0;
            } else {
                v = settings.get(intKey(d));
                if (v < d.min || v > d.max)
                    v = d.def;
            }
        }
        m_values[std::size_t(i)] = v;
    }
    // Not read: on at every start.
    set(Opt::TypCapChk, 1);
}

bool Options::save(Settings &settings, bool maintenanceActive) const
{
    // One replace of the file for all of them: a full disk leaves the old options whole.
    settings.beginBatch();
    for (int i = 0; i < Count; ++i) {
        if (!(Opt(i) == Opt::SUMode && maintenanceActive))
            save(settings, Opt(i));
    }
    return settings.commitBatch();
}

bool Options::save(Settings &settings, Opt id) const
{
    const Def &d = OptionDefs::def(id);
    if (d.storage == Storage::NotStored)
        return true;
    if (d.kind == Kind::Bool)
        return settings.set(boolKey(d), value(id) != 0);
    return settings.set(intKey(d), value(id));
}

void Options::restoreFactory()
{
    for (int i = 0; i < Count; ++i)
        m_values[std::size_t(i)] = OptionDefs::def(Opt(i)).factory;
}

void Options::setDefaultColors()
{
    for (int i = 0; i < Count; ++i) {
        if (resetByDefaultColors(Opt(i)))
            m_values[std::size_t(i)] = OptionDefs::def(Opt(i)).def;
    }
}

int Options::Entry::message() const
{
    switch (verdict) {
    case Verdict::Accepted:
        return -1;
    case Verdict::NotNumber:
        return NotNumberMessage;
    case Verdict::BelowMin:
    case Verdict::AboveMax:
        break;
    }
    return OutOfRangeMessage;
}

Options::Entry Options::check(Opt id, const QString &text, bool asShown)
{
    const Def &d = OptionDefs::def(id);
    const double scale = asShown && shownInHundredths(id) ? 100.0 : 1.0;
    Entry e;
    double number = 0;
    if (!parseNumber(text, d.kind != Kind::Int || scale == 1.0, number))
        return e;
    // Compared as shown, so 0.001 is below a factor of 0.01 even though it rounds to 0.
    if (number < d.min / scale) {
        e.verdict = Entry::Verdict::BelowMin;
        e.value = d.min;
    } else if (number > d.max / scale) {
        e.verdict = Entry::Verdict::AboveMax;
        e.value = d.max;
    } else {
        e.verdict = Entry::Verdict::Accepted;
        e.value = clamp(id, int(qRound64(number * scale)));
    }
    return e;
}
