#include "ComNoList.h"

void ComNoList::clear()
{
    m_text.clear();
    m_index.clear();
    m_regular = true;
}

bool ComNoList::packable(QStringView comNo)
{
    return comNo.size() == 4 && !comNo.contains(QLatin1Char(','));
}

quint64 ComNoList::pack(QStringView comNo)
{
    return quint64(comNo[0].unicode()) | quint64(comNo[1].unicode()) << 16 | quint64(comNo[2].unicode()) << 32
        | quint64(comNo[3].unicode()) << 48;
}

void ComNoList::build(const QStringList &comNos)
{
    clear();
    m_text.reserve(comNos.size() * 5);
    m_index.reserve(comNos.size());
    for (const QString &c : comNos) {
        m_text += c;
        m_text += QLatin1Char(',');
        if (!packable(c))
            m_regular = false;
    }
    if (!m_regular) {
        m_index.clear();
        return;
    }
    for (int i = 0; i < comNos.size(); ++i) {
        const quint64 key = pack(comNos.at(i));
        if (!m_index.contains(key))
            m_index.insert(key, i);
    }
}

int ComNoList::searchText(QStringView comNo) const
{
    if (comNo.isEmpty())
        return -1;
    const qsizetype pos = QStringView(m_text).indexOf(comNo);
    return pos < 0 ? -1 : int(pos / 5);
}

int ComNoList::indexOf(QStringView comNo) const
{
    if (!m_regular || !packable(comNo))
        return searchText(comNo);
    const auto it = m_index.constFind(pack(comNo));
    return it == m_index.constEnd() ? -1 : it.value();
}
