#include "SimProcess.h"
#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "comm/CommLink.h"
#include "comm/TRSset.h"
#include "main/TMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// "RS-232C Setup" offscreen, on the main window of a run started with a parameter file.
class tst_TRSset : public QObject
{
    Q_OBJECT

private:
    struct Run {
        TestAppFolder app;
        ScriptedPrompter prompter;
        std::unique_ptr<TMain> main;
        std::unique_ptr<TRSset> window;

        explicit Run(const QString &port = QStringLiteral("/dev/vkr-no-such-port"), const QByteArray &comms = {})
        {
            app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=" + port.toUtf8() + "\r\n"
                              + comms);
            app.writeFile("x.vkr", "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
            main = std::make_unique<TMain>(prompter, QStringList{app.file("x.vkr")}, app.path());
            window = std::make_unique<TRSset>(main->session(), *main->commLink(), prompter, main.get());
            window->show();
        }
        template <typename T>
        T *control(const char *name) const
        {
            return window->findChild<T *>(QString::fromLatin1(name));
        }
        void type(const char *edit, const QString &text) const
        {
            QLineEdit *e = control<QLineEdit>(edit);
            e->setText(text);
        }
        void click(const char *button) const { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
        QByteArray settingsFile() const { return app.readFile("VKR410T.ini"); }
    };

private slots:
    void rejectedFieldKeepsWindowOpen_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("closes");
        QTest::newRow("inverter number not a number") << "IdNmb" << "x1" << 67 << int(Prompter::Icon::Stop) << "x1"
                                                      << false;
        QTest::newRow("inverter number 64 becomes 63") << "IdNmb" << "64" << 41 << int(Prompter::Icon::Warning) << "63"
                                                       << true;
        QTest::newRow("time-out 20 becomes 30") << "Edit1" << "20" << 41 << int(Prompter::Icon::Warning) << "30" << true;
        QTest::newRow("time-out empty") << "Edit1" << "" << 67 << int(Prompter::Icon::Stop) << "" << false;
    }
    void rejectedFieldKeepsWindowOpen()
    {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(int, message);
        QFETCH(int, icon);
        QFETCH(QString, after);
        QFETCH(bool, closes);
        Run r;
        r.type(edit.toLatin1().constData(), text);
        r.click("OkBtn");
        QCOMPARE(r.prompter.shown.size(), 1);
        QCOMPARE(r.prompter.shown.first().text, r.main->session().messages.text(message));
        QCOMPARE(int(r.prompter.shown.first().icon), icon);
        QCOMPARE(r.control<QLineEdit>(edit.toLatin1().constData())->text(), after);
        QCOMPARE(r.window->isVisible(), !closes);
    }

    void choiceNotInTheListIsRejected()
    {
        Run r;
        r.control<QComboBox>("CommSpeed")->setEditText(" 57,600");
        r.click("OkBtn");
        QVERIFY(r.window->isVisible());
        QCOMPARE(r.prompter.shown.size(), 1);
        QCOMPARE(r.prompter.shown.first().text, r.main->session().messages.text(67));
    }

    void cancelDropsEdits()
    {
        Run r("/dev/vkr-no-such-port", "Prtocol=0\r\nDelay=250\r\n");
        r.control<QRadioButton>("ProtocolItems2")->setChecked(true);
        r.type("Edit1", "900");
        r.click("CancelBtn");
        QVERIFY(!r.window->isVisible());
        QVERIFY(r.prompter.shown.isEmpty());
        const QByteArray ini = r.settingsFile();
        QVERIFY(ini.contains("Prtocol=0\r\n"));
        QVERIFY(ini.contains("Delay=250\r\n"));
        QCOMPARE(r.main->commLink()->settings().timeoutMs, 250);
    }

    void okWritesComms()
    {
        Run r;
        r.control<QRadioButton>("ProtocolItems2")->setChecked(true);
        QTest::mouseClick(r.control<QCheckBox>("AppendNo"), Qt::LeftButton);
        r.type("IdNmb", "5");
        r.type("Edit1", "300");
        r.control<QComboBox>("CommSpeed")->setCurrentIndex(4);
        r.control<QComboBox>("CommParity")->setCurrentIndex(2);
        r.click("OkBtn");
        QVERIFY(!r.window->isVisible());
        QVERIFY(r.prompter.shown.isEmpty());
        const QByteArray ini = r.settingsFile();
        for (const char *line : {"Prtocol=1\r\n", "ID=5\r\n", "AppendNo=1\r\n", "Douhou=0\r\n", "Delay=300\r\n",
                                 "Baudrate=4\r\n", "Parity=2\r\n"})
            QVERIFY2(ini.contains(line), line);
        const CommSettings &s = r.main->commLink()->settings();
        QCOMPARE(s.gapMs, 2);
        QVERIFY(s.setNumber);
    }

    void stopBitsAndByteSize_data()
    {
        QTest::addColumn<QByteArray>("comms");
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("no keys: one stop bit, 8 data bits")
            << QByteArray() << "  1" << "  8" << QByteArray("Stopbits=0\r\nBytesize=1\r\n");
        QTest::newRow("two stop bits, 7 data bits")
            << QByteArray("Stopbits=2\r\nBytesize=0\r\n") << "  2" << "  7" << QByteArray("Stopbits=2\r\nBytesize=0\r\n");
        QTest::newRow("one and a half")
            << QByteArray("Stopbits=1\r\n") << " 1.5" << "  8" << QByteArray("Stopbits=1\r\nBytesize=1\r\n");
        QTest::newRow("values outside the lists take the defaults")
            << QByteArray("Stopbits=7\r\nBytesize=-3\r\n") << "  1" << "  8" << QByteArray("Stopbits=0\r\nBytesize=1\r\n");
    }
    void stopBitsAndByteSize()
    {
        QFETCH(QByteArray, comms);
        QFETCH(QString, stop);
        QFETCH(QString, size);
        QFETCH(QByteArray, written);
        Run r("/dev/vkr-no-such-port", comms);
        auto *commStop = r.control<QComboBox>("CommStop");
        auto *commSize = r.control<QComboBox>("CommSize");
        QVERIFY(commStop && commSize);
        QCOMPARE(commStop->count(), 3);
        QCOMPARE(commSize->count(), 2);
        QCOMPARE(commStop->currentText(), stop);
        QCOMPARE(commSize->currentText(), size);
        // Outside the window's visible width: the user does not reach them.
        QVERIFY(commStop->geometry().left() >= r.window->width());
        QVERIFY(commSize->geometry().left() >= r.window->width());
        r.click("OkBtn");
        QVERIFY(!r.window->isVisible());
        // Each key where the file has it: a key already there keeps its place.
        for (const QByteArray &line : written.split('\n')) {
            if (!line.isEmpty())
                QVERIFY2(r.settingsFile().contains(line + '\n'), line.constData());
        }
        QCOMPARE(r.main->commLink()->settings().stopBitsIndex, commStop->currentIndex());
        QCOMPARE(r.main->commLink()->settings().byteSizeIndex, commSize->currentIndex());
    }

    void cancelKeepsStopBitsAndByteSize()
    {
        Run r("/dev/vkr-no-such-port", "Stopbits=2\r\nBytesize=0\r\n");
        r.control<QComboBox>("CommStop")->setCurrentIndex(0);
        r.control<QComboBox>("CommSize")->setCurrentIndex(1);
        r.click("CancelBtn");
        QCOMPARE(r.control<QComboBox>("CommStop")->currentIndex(), 2);
        QCOMPARE(r.control<QComboBox>("CommSize")->currentIndex(), 0);
        QVERIFY(r.settingsFile().contains("Stopbits=2\r\n"));
        QVERIFY(r.settingsFile().contains("Bytesize=0\r\n"));
    }

    void hiddenListsFollowThePortsAndTheDrive()
    {
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        Run r(sim.device() + QStringLiteral(",/dev/vkr-no-such-port"));
        const QStringList candidates = r.main->commLink()->port().candidatePorts();
        auto *all = r.control<QComboBox>("ComboAllPort_COM");
        auto *available = r.control<QComboBox>("PC_ComboPort_COM");
        QCOMPARE(all->count(), candidates.size());
        QCOMPARE(all->itemText(0), sim.device());
        QCOMPARE(available->count(), 1);
        QCOMPARE(available->itemText(0), sim.device());
        QVERIFY(r.control<QCheckBox>("PortChk")->isChecked());
        QCOMPARE(r.control<QCheckBox>("PortChk")->text(), QStringLiteral("Port check"));
        QCOMPARE(r.control<QCheckBox>("SpDrv1")->text(), QStringLiteral("Drive is SP setuped (aul or f519)"));
        QVERIFY(!r.control<QCheckBox>("SpDrv1")->isChecked());
        for (const char *name : {"ComboAllPort_COM", "PC_ComboPort_COM", "PortChk", "SpDrv1", "TypeList", "FormList",
                                 "CpuList"})
            QVERIFY2(r.window->findChild<QWidget *>(QString::fromLatin1(name))->geometry().left() >= r.window->width(),
                     name);
        // The identification's look-up lists: the catalogue's types with their numbers, the
        // selected type's forms and CPU versions.
        auto *types = r.control<QComboBox>("TypeList");
        QVERIFY(types->findText(QStringLiteral("KDA1="), Qt::MatchStartsWith) >= 0);
        QVERIFY(r.control<QComboBox>("FormList")->findText(QStringLiteral("-2004P")) >= 0);
        QVERIFY(r.control<QComboBox>("CpuList")->findText(QStringLiteral("V100="), Qt::MatchStartsWith) >= 0);
    }

    void broadcastAndSetNumberExcludeEachOther()
    {
        Run r;
        auto *setNumber = r.control<QCheckBox>("AppendNo");
        auto *broadcast = r.control<QCheckBox>("Douhou");
        QTest::mouseClick(setNumber, Qt::LeftButton);
        QVERIFY(r.control<QLineEdit>("IdNmb")->isEnabled());
        QTest::mouseClick(broadcast, Qt::LeftButton);
        QVERIFY(!setNumber->isChecked());
        QVERIFY(!r.control<QLineEdit>("IdNmb")->isEnabled());
        QTest::mouseClick(setNumber, Qt::LeftButton);
        QVERIFY(!broadcast->isChecked());
    }

    void defaultsMarkChangedValuesBlue()
    {
        Run r("/dev/vkr-no-such-port", "Prtocol=1\r\nParity=2\r\n");
        QPushButton *defaults = r.control<QPushButton>("Button1");
        QVERIFY(defaults->isEnabled());  // KDA1 has [Def Comms]
        r.click("Button1");
        // KDA1: native, parity index 1 + 0; its baud index 3 + 3 does not exist and stays.
        QVERIFY(r.control<QRadioButton>("ProtocolItems1")->isChecked());
        QCOMPARE(r.control<QComboBox>("CommParity")->currentIndex(), 1);
        QVERIFY(!r.control<QCheckBox>("AppendNo")->isChecked());
        const QColor blue(Qt::blue);
        QCOMPARE(r.control<QComboBox>("CommParity")->palette().color(QPalette::Text), blue);
        QCOMPARE(r.control<QComboBox>("CommSpeed")->palette().color(QPalette::Text) == blue, false);
        QCOMPARE(r.control<QCheckBox>("AppendNo")->palette().color(QPalette::WindowText) == blue, false);
    }

    void searchFindsTheDrive()
    {
        SimProcess sim({"--protocol", "modbus", "--baud", "19200", "--parity", "odd"});
        QVERIFY(!sim.device().isEmpty());
        Run r(sim.device(), "Delay=60\r\n");
        r.click("Button3");
        QVERIFY(r.prompter.shown.isEmpty());
        QVERIFY(r.control<QRadioButton>("ProtocolItems2")->isChecked());
        QCOMPARE(r.control<QComboBox>("CommSpeed")->currentIndex(), 4);
        QCOMPARE(r.control<QComboBox>("CommParity")->currentIndex(), 2);
        QCOMPARE(r.control<QComboBox>("ComboBox1")->currentText(), sim.device());
        r.click("OkBtn");
        QVERIFY(r.settingsFile().contains("Baudrate=4\r\n"));
    }
};

QTEST_MAIN(tst_TRSset)
#include "tst_TRSset.moc"
