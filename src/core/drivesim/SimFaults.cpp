#include "SimFaults.h"

SimFaults::SimFaults(const SimFaultRates &rates)
    : m_rates(rates)
    , m_random(rates.seed)
{
}

bool SimFaults::disconnectDue() const
{
    return m_rates.disconnectAfter > 0 && m_counts.frames >= m_rates.disconnectAfter;
}

SimFaults::Kind SimFaults::apply(QByteArray *reply)
{
    ++m_counts.frames;
    if (reply->isEmpty())
        return Kind::None;
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const double u = uniform(m_random);
    double edge = m_rates.drop;
    if (u < edge) {
        reply->clear();
        ++m_counts.dropped;
        return Kind::Dropped;
    }
    edge += m_rates.garbage;
    if (u < edge) {
        std::uniform_int_distribution<int> byte(0, 255);
        for (char &c : *reply)
            c = char(byte(m_random));
        ++m_counts.garbage;
        return Kind::Garbage;
    }
    edge += m_rates.corrupt;
    if (u < edge) {
        // The last byte belongs to the check value in both protocols.
        (*reply)[reply->size() - 1] = char(~uint8_t(reply->back()));
        ++m_counts.corrupted;
        return Kind::Corrupted;
    }
    edge += m_rates.truncate;
    if (u < edge && reply->size() > 1) {
        std::uniform_int_distribution<int> keep(1, int(reply->size()) - 1);
        reply->truncate(keep(m_random));
        ++m_counts.truncated;
        return Kind::Truncated;
    }
    return Kind::None;
}
