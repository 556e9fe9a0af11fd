#include "SimProcess.h"

#include <QtTest>
#include <cerrno>
#include <modbus.h>

// libmodbus, a Modbus RTU master the drive simulator did not write, against vkr-drive-sim.
class tst_ModbusPeers : public QObject
{
    Q_OBJECT

private:
    struct Master {
        explicit Master(const QString &device, int slave, char parity = 'E')
            : ctx(modbus_new_rtu(qPrintable(device), 9600, parity, 8, 1))
        {
            if (ctx) {
                modbus_set_slave(ctx, slave);
                modbus_set_response_timeout(ctx, 0, 300000);
                connected = modbus_connect(ctx) == 0;
            }
        }
        ~Master()
        {
            if (ctx) {
                modbus_close(ctx);
                modbus_free(ctx);
            }
        }
        int read(int address, int count, uint16_t *out) { return modbus_read_registers(ctx, address, count, out); }

        modbus_t *ctx;
        bool connected = false;
    };

private slots:
    void readsFactoryValues_data();
    void readsFactoryValues();
    void writesReadBack();
    void exceptionsForWhatTheDriveLacks_data();
    void exceptionsForWhatTheDriveLacks();
    void oddParityMasterGetsNoAnswer();
};

void tst_ModbusPeers::readsFactoryValues_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<int>("address");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("KDA1 0000") << "KDA1:-2007P:V100:1" << 0x0000 << QList<int>{0};
    QTest::newRow("KDA1 0011..0013") << "KDA1:-2007P:V100:1" << 0x0011 << QList<int>{8000, 6000, 0};
    QTest::newRow("KDA1 400 V rated values") << "KDA1:-4015P:V100:1" << 0xFE70 << QList<int>{41, 4000};
    QTest::newRow("KDB2 type and CPU") << "KDB2:-2037P:V820:4" << 0xFB07 << QList<int>{52};
    QTest::newRow("KDB2 CPU number") << "KDB2:-2037P:V820:4" << 0xFE08 << QList<int>{820};
}

void tst_ModbusPeers::readsFactoryValues()
{
    QFETCH(QString, drive);
    QFETCH(int, address);
    QFETCH(QList<int>, expected);
    SimProcess sim({"--protocol", "modbus", "--drive", drive});
    QVERIFY(!sim.device().isEmpty());
    Master master(sim.device(), drive.section(':', 3).toInt());
    QVERIFY(master.connected);
    uint16_t values[8] = {};
    QCOMPARE(master.read(address, int(expected.size()), values), int(expected.size()));
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(int(values[i]), expected[i]);
    QCOMPARE(sim.stop(), 0);
}

void tst_ModbusPeers::writesReadBack()
{
    SimProcess sim({"--protocol", "modbus", "--drive", "KDA1:-2007P:V100:5"});
    Master master(sim.device(), 5);
    QVERIFY(master.connected);
    for (auto [address, value] : {std::pair{0x0000, 1500}, {0x0009, 600}, {0x0206, 0xFFF6}}) {
        QCOMPARE(modbus_write_register(master.ctx, address, uint16_t(value)), 1);
        uint16_t back = 0;
        QCOMPARE(master.read(address, 1, &back), 1);
        QCOMPARE(int(back), value);
    }
    QCOMPARE(sim.stop(), 0);
}

void tst_ModbusPeers::exceptionsForWhatTheDriveLacks_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("error");

    QTest::newRow("unknown register") << 0x7777 << 1 << int(EMBXILADD);
    QTest::newRow("block running past the parameters") << 0x0013 << 100 << int(EMBXILADD);
}

void tst_ModbusPeers::exceptionsForWhatTheDriveLacks()
{
    QFETCH(int, address);
    QFETCH(int, count);
    QFETCH(int, error);
    SimProcess sim({"--protocol", "modbus", "--drive", "KDA1:-2007P:V100:1"});
    Master master(sim.device(), 1);
    QVERIFY(master.connected);
    uint16_t values[125] = {};
    QCOMPARE(master.read(address, count, values), -1);
    QCOMPARE(errno, error);
    QCOMPARE(sim.stop(), 0);
}

void tst_ModbusPeers::oddParityMasterGetsNoAnswer()
{
    SimProcess sim({"--protocol", "modbus", "--drive", "KDA1:-2007P:V100:1"});
    Master master(sim.device(), 1, 'O');
    QVERIFY(master.connected);
    uint16_t value = 0;
    QCOMPARE(master.read(0, 1, &value), -1);
    QCOMPARE(errno, ETIMEDOUT);
    QCOMPARE(sim.stop(), 0);
}

QTEST_GUILESS_MAIN(tst_ModbusPeers)
#include "tst_ModbusPeers.moc"
