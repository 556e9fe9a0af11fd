#include "../files/SampleDrive.h"

#include "keypad/DirectEntry.h"

#include <QTest>

// Typing a frequency on the panel and checking it against the frequency command parameter.
class tst_DirectEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_drive.load()); }
    void typing_data();
    void typing();
    void pointNeedsADigit();
    void enter_data();
    void enter();

private:
    // Keys as typed: digits, "." or ",", "<" Backspace, "x" Delete.
    static DirectEntry typed(const QString &keys, bool *pointRefused = nullptr)
    {
        DirectEntry e;
        e.begin();
        for (QChar k : keys) {
            if (k.isDigit())
                e.typeDigit(k);
            else if (k == u'.' || k == u',') {
                const bool ok = e.typePoint();
                if (pointRefused && !ok)
                    *pointRefused = true;
            } else if (k == u'<')
                e.backspace();
            else if (k == u'x')
                e.clear();
        }
        return e;
    }

    SampleDrive m_drive;
};

void tst_DirectEntry::typing_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing typed shows the prompt") << "" << "fc  ";
    QTest::newRow("first digit replaces the prompt") << "5" << "5";
    QTest::newRow("fifth digit is ignored") << "12345" << "1234";
    QTest::newRow("point on the last digit") << "50.5" << "5=5";
    QTest::newRow("comma like a point") << "7,2" << "*2";
    QTest::newRow("second point ignored") << "1.2.3" << "!23";
    QTest::newRow("backspace takes the point first") << "12.<" << "12";
    QTest::newRow("backspace after point allows another") << "1.<2.3" << "1+3";
    QTest::newRow("backspace to empty shows the prompt") << "12<<" << "fc  ";
    QTest::newRow("count starts again after empty") << "12<<3456" << "3456";
    QTest::newRow("delete clears") << "123x9" << "9";
}

void tst_DirectEntry::typing()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QCOMPARE(typed(keys).text(), shown);
}

void tst_DirectEntry::pointNeedsADigit()
{
    bool refused = false;
    const DirectEntry e = typed(QStringLiteral("."), &refused);
    QVERIFY(refused);
    QCOMPARE(e.text(), DirectEntry::prompt());
}

void tst_DirectEntry::enter_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("freqComNo");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("raw");
    using V = DirectEntry::Verdict;
    // FA01 is 0.00 .. the maximum frequency 0011 in units of 0.01 Hz.
    QTest::newRow("within limits") << "50.5" << "FA01" << int(V::Write) << "5050";
    QTest::newRow("whole number") << "30" << "FA01" << int(V::Write) << "3000";
    QTest::newRow("above the maximum frequency") << "9999" << "FA01" << int(V::OutsideLimits) << "999900";
    QTest::newRow("type without frequency parameter") << "50" << "-" << int(V::NoParameter) << "";
    QTest::newRow("parameter not in the definitions") << "50" << "ZZ99" << int(V::NoParameter) << "";
    QTest::newRow("nothing typed") << "" << "FA01" << int(V::NotANumber) << "";
}

void tst_DirectEntry::enter()
{
    QFETCH(QString, keys);
    QFETCH(QString, freqComNo);
    QFETCH(int, verdict);
    QFETCH(QString, raw);
    const DirectEntry::Outcome out = typed(keys).enter(m_drive.data, freqComNo, 32);
    QCOMPARE(int(out.verdict), verdict);
    if (verdict == int(DirectEntry::Verdict::Write)) {
        QCOMPARE(out.raw, raw);
        QCOMPARE(out.index, m_drive.data.IndexOfComNo(freqComNo));
    }
    if (verdict == int(DirectEntry::Verdict::OutsideLimits))
        QCOMPARE(out.raw, raw);
}

QTEST_GUILESS_MAIN(tst_DirectEntry)
#include "tst_DirectEntry.moc"
