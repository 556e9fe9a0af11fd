#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

// The communication numbers of all parameters as one text, each followed by ",", in row
// order: "0001,0002,F001,". A parameter index is the position of the first match divided
// by five. Because this look-up runs for every cell drawn, the four-character numbers are
// also hashed; the hash answers exactly what the text search would, and the text search
// remains for any other input and for lists whose slots are not five characters wide.
class ComNoList
{
public:
    void build(const QStringList &comNos);
    void clear();

    const QString &text() const { return m_text; }
    /// Parameter index of the first match of `comNo` in the text, or -1 (also for "").
    int indexOf(QStringView comNo) const;
    /// The same answer found by searching the text only.
    int searchText(QStringView comNo) const;

private:
    static bool packable(QStringView comNo);
    static quint64 pack(QStringView comNo);

    QString m_text;
    QHash<quint64, int> m_index;
    bool m_regular = true;  // every slot is four characters without "," plus the separator
};
