// The tool's Modbus exchange against a libmodbus RTU slave on a pseudo-terminal.
#include "../core/comm/FixedItems.h"

#include "comm/CommExchange.h"
#include "comm/PosixSerialPort.h"

#include <QProcess>
#include <QTest>

namespace {

int registerValue(int address)
{
    return (address * 7 + 3) & 0xFFFF;
}

}  // namespace

class tst_ModbusInterop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void reads_data();
    void reads();
    void writesAreReadBack_data();
    void writesAreReadBack();
    void otherSlaveNumberGetsNoAnswer();

private:
    int32_t exchange(const QString &comNo, char command, const QString &data, bool &failed, int id = 5);

    QProcess m_server;
    QString m_path;
    PosixSerialPort m_port;
};

void tst_ModbusInterop::initTestCase()
{
    const QString server = QStringLiteral(VKR_BIN_DIR "/modbus_test_server");
    if (!QFile::exists(server))
        QSKIP("modbus_test_server was not built (libmodbus-dev missing)");
    m_server.start(server, {QStringLiteral("5")});
    QVERIFY(m_server.waitForStarted());
    QVERIFY(m_server.waitForReadyRead(5000));
    m_path = QString::fromLocal8Bit(m_server.readLine()).trimmed();
    QVERIFY(m_port.open(m_path));
    LineSettings line;
    line.parity = LineSettings::Parity::None;
    QVERIFY(m_port.setLine(line));
}

void tst_ModbusInterop::cleanupTestCase()
{
    m_port.close();
    if (m_server.state() != QProcess::NotRunning) {
        m_server.closeWriteChannel();
        if (!m_server.waitForFinished(3000))
            m_server.kill();
        m_server.waitForFinished(3000);
    }
}

int32_t tst_ModbusInterop::exchange(const QString &comNo, char command, const QString &data, bool &failed, int id)
{
    CommSettings settings = CommSettings::fromValues(CommSettings::Modbus, 0, 3, 0, 0, 1, id, true, false, 300);
    FixedItems items;
    items.items = {{comNo, false}};
    CommExchange exchange(m_port, settings, &items);
    return exchange.exchange(0, data, failed, command);
}

void tst_ModbusInterop::reads_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<int>("address");
    QTest::newRow("FB05") << "FB05" << 0xFB05;
    QTest::newRow("0000") << "0000" << 0;
    QTest::newRow("FFFF, the last register") << "FFFF" << 0xFFFF;
    QTest::newRow("FC10 block gives its first register") << "FC10" << 0xFC10;
    QTest::newRow("r300 is register F300") << "r300" << 0xF300;
}

void tst_ModbusInterop::reads()
{
    QFETCH(QString, comNo);
    QFETCH(int, address);
    bool failed = true;
    QCOMPARE(exchange(comNo, 'R', QString(), failed), registerValue(address));
    QVERIFY(!failed);
}

void tst_ModbusInterop::writesAreReadBack_data()
{
    QTest::addColumn<QString>("comNo");
    QTest::addColumn<char>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("value");
    QTest::newRow("EEPROM write of -1") << "1234" << 'W' << "-1" << 0xFFFF;
    QTest::newRow("RAM write of 300") << "0010" << 'P' << "300" << 300;
    QTest::newRow("only the low 16 bits of 70000") << "0A0B" << 'P' << "70000" << (70000 & 0xFFFF);
}

void tst_ModbusInterop::writesAreReadBack()
{
    QFETCH(QString, comNo);
    QFETCH(char, command);
    QFETCH(QString, data);
    QFETCH(int, value);
    bool failed = true;
    QCOMPARE(exchange(comNo, command, data, failed), value);
    QVERIFY(!failed);
    QCOMPARE(exchange(comNo, 'R', QString(), failed), value);
    QVERIFY(!failed);
}

void tst_ModbusInterop::otherSlaveNumberGetsNoAnswer()
{
    bool failed = false;
    QCOMPARE(exchange(QStringLiteral("FB05"), 'R', QString(), failed, 6), 0);
    QVERIFY(failed);
    // libmodbus then takes the next frame on the line for the other slave's reply and drops
    // it, as on a shared bus; so this case runs last.
}

QTEST_GUILESS_MAIN(tst_ModbusInterop)
#include "tst_ModbusInterop.moc"
