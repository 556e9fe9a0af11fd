#include "ModelFixture.h"
#include "model/RawValueCheck.h"

#include <QTest>

class tst_RawValueCheck : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
    void echoOfASignedValue();
};

void tst_RawValueCheck::check_data()
{
    QTest::addColumn<QString>("byte");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<int>("wireBits");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<int>("result");
    const int fits = int(RawValueCheck::Result::Fits);
    const int limits = int(RawValueCheck::Result::OutsideLimits);
    const int size = int(RawValueCheck::Result::OutsideDataSize);
    QTest::newRow("within the limits") << "2" << "1" << "36000" << 32 << qint64(250) << fits;
    QTest::newRow("on the upper limit") << "2" << "1" << "36000" << 32 << qint64(36000) << fits;
    QTest::newRow("above the upper limit") << "2" << "1" << "36000" << 32 << qint64(36001) << limits;
    QTest::newRow("below the lower limit") << "2" << "1" << "36000" << 32 << qint64(0) << limits;
    QTest::newRow("16 bits and 100 more") << "2" << "1" << "36000" << 32 << qint64(65636) << size;
    QTest::newRow("negative for an unsigned word") << "2" << "0" << "65535" << 32 << qint64(-1) << size;
    QTest::newRow("signed word, lowest") << "2" << "-40000" << "40000" << 32 << qint64(-32768) << fits;
    QTest::newRow("signed word, one below") << "2" << "-40000" << "40000" << 32 << qint64(-32769) << size;
    QTest::newRow("signed word, one above") << "2" << "-40000" << "40000" << 32 << qint64(32768) << size;
    QTest::newRow("32-bit above 2^31") << "4" << "0" << "4000000000" << 32 << qint64(4000000000LL) << fits;
    QTest::newRow("32-bit above 2^32") << "4" << "0" << "9999999999" << 32 << qint64(4294967296LL) << size;
    QTest::newRow("32-bit over a 16-bit protocol") << "4" << "0" << "4000000000" << 16 << qint64(70000) << size;
    QTest::newRow("limit that is not a number is no limit") << "2" << "0" << "" << 32 << qint64(65535) << fits;
}

void tst_RawValueCheck::check()
{
    QFETCH(QString, byte);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(int, wireBits);
    QFETCH(qint64, raw);
    QFETCH(int, result);
    DriveData data;
    loadDefs(data, {{.comNo = "0009", .high = high, .low = low, .byte = byte}});
    data.uPara.setRowCount(2);
    data.uPara.setAt(0, UPara::HValue, high);
    data.uPara.setAt(0, UPara::LValue, low);
    QCOMPARE(int(RawValueCheck(data, 0, wireBits).check(raw)), result);
    QCOMPARE(int(RawValueCheck(data, 5, wireBits).check(raw)), int(RawValueCheck::Result::OutsideDataSize));
}

void tst_RawValueCheck::echoOfASignedValue()
{
    DriveData data;
    loadDefs(data, {{.comNo = "0206", .high = "1000", .low = "-1000"}});
    data.uPara.setRowCount(2);
    data.uPara.setAt(0, UPara::LValue, QStringLiteral("-1000"));
    const RawValueCheck check(data, 0, 16);
    QVERIFY(check.sameWord(-5, 65531));
    QVERIFY(!check.sameWord(-5, 65530));
    QVERIFY(!check.sameWord(50, 33));
}

QTEST_GUILESS_MAIN(tst_RawValueCheck)
#include "tst_RawValueCheck.moc"
