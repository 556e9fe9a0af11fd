#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "files/ConfigFile.h"
#include "main/ParameterFileCommands.h"
#include "main/TMain.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"

#include <QAction>
#include <QtTest>

namespace {

const QByteArray Kdc3Set = "###\r\nKDC3\r\n-4110P\r\nV200\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n"
                           "0001,1,0,0\r\nA005,7,0,0\r\nC002,12,0,0\r\n";

enum { VkrEntry = 0, CsvEntry = 1, CfgEntry = 2 };

QString valueOf(TMain &main, const char *comNo)
{
    const DriveData &d = main.session().data;
    return d.uPara.at(d.IndexOfComNo(QString::fromLatin1(comNo)), UPara::Value);
}

}  // namespace

// "Save", "Save As" and "Open" with configuration and table files, on the main window
// started with a KDC3 set.
class tst_ParameterFileFormats : public QObject
{
    Q_OBJECT

private:
    TestAppFolder m_app;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TMain> m_main;

    bool saveAs(const QString &name, int entry)
    {
        m_prompter.files << m_app.file(name);
        m_prompter.chosenFilters << entry;
        m_main->files().ParaSaveChangeNameClick();
        return m_prompter.files.isEmpty();
    }

private slots:
    void initTestCase()
    {
        m_app.writeFile(QStringLiteral("start.vkr"), Kdc3Set);
        // No port of the machine: another test may hold one, and its message would come mid-test.
        m_app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n");
        m_main = std::make_unique<TMain>(m_prompter, QStringList{m_app.file(QStringLiteral("start.vkr"))}, m_app.path());
        QVERIFY(!m_main->startupFailed());
        m_main->show();
        QCOMPARE(valueOf(*m_main, "A005"), QStringLiteral("7"));
        m_prompter.shown.clear();
    }

    void saveAsConfigFileBecomesCurrent()
    {
        QVERIFY(saveAs(QStringLiteral("set"), CfgEntry));
        QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
        const QByteArray bytes = m_app.readFile(QStringLiteral("set.cfg"));
        QCOMPARE(ConfigFile::check(bytes).integrity, ConfigFile::Integrity::Sound);
        QVERIFY(bytes.contains("DeviceID=\"KDC3-CFG-01\""));
        QVERIFY(bytes.contains("a0050007"));
        QCOMPARE(m_main->session().loadFile, QStringLiteral("set.cfg"));
        QVERIFY(m_main->windowTitle().endsWith(QStringLiteral("set.cfg")));
        QVERIFY(m_main->action(QStringLiteral("ParaSaveOverWrite"))->isEnabled());
    }

    void saveAsTableFileStaysAside()
    {
        QVERIFY(saveAs(QStringLiteral("table"), CsvEntry));
        const QByteArray bytes = m_app.readFile(QStringLiteral("table.csv"));
        const ParameterGridModel &model = m_main->findChild<TParameter *>()->model();
        QCOMPARE(bytes.count("\r\n"), model.gridRowCount());
        QVERIFY(bytes.startsWith("Title,Comm. No.,Function,"));
        QVERIFY(bytes.contains(",0001,"));
        QCOMPARE(m_main->session().loadFile, QStringLiteral("set.cfg"));
    }

    void saveConfigFileConfirmsTheName()
    {
        const int dialogs = m_prompter.fileDialogs;
        m_prompter.offeredFilters.clear();
        m_main->files().ParaSaveOverWriteClick();
        QCOMPARE(m_prompter.fileDialogs, dialogs + 1);
        QCOMPARE(m_prompter.offeredFilters, QList<int>{CfgEntry});
        m_prompter.files << m_app.file(QStringLiteral("again.cfg"));
        m_main->files().ParaSaveOverWriteClick();
        QCOMPARE(m_app.readFile(QStringLiteral("again.cfg")), m_app.readFile(QStringLiteral("set.cfg")));
        QCOMPARE(m_main->session().loadFile, QStringLiteral("again.cfg"));
    }

    void openConfigFileReadsItsValues()
    {
        DriveData &d = m_main->session().data;
        d.uPara.setAt(d.IndexOfComNo(u"A005"), UPara::Value, QStringLiteral("3"));
        m_prompter.files << m_app.file(QStringLiteral("set.cfg"));
        m_main->files().ParaOpenClick();
        QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
        QCOMPARE(valueOf(*m_main, "A005"), QStringLiteral("7"));
        QCOMPARE(valueOf(*m_main, "C002"), QStringLiteral("12"));
        QVERIFY(m_main->CFG_CNum.contains(QStringLiteral("a005")));
        QCOMPARE(m_main->CFG_Val.at(m_main->CFG_CNum.indexOf(QStringLiteral("a005"))), QStringLiteral("0007"));
        QCOMPARE(m_main->session().loadFile, QStringLiteral("set.cfg"));
    }

    void handEditedConfigFileAsksFirst()
    {
        QByteArray bytes = m_app.readFile(QStringLiteral("set.cfg"));
        bytes.replace("a0050007", "a0050005");
        m_app.writeFile(QStringLiteral("edited.cfg"), bytes);
        m_prompter.shown.clear();
        m_prompter.files << m_app.file(QStringLiteral("edited.cfg"));
        m_prompter.answers << Prompter::Answer::Cancel;
        m_main->files().ParaOpenClick();
        QCOMPARE(m_prompter.shown.size(), 1);
        QVERIFY(m_prompter.shown.first().text.contains(QStringLiteral("checksum")));
        QCOMPARE(valueOf(*m_main, "A005"), QStringLiteral("7"));
        QCOMPARE(m_main->session().loadFile, QStringLiteral("set.cfg"));
        m_prompter.files << m_app.file(QStringLiteral("edited.cfg"));
        m_prompter.answers << Prompter::Answer::Ok;
        m_main->files().ParaOpenClick();
        QCOMPARE(valueOf(*m_main, "A005"), QStringLiteral("5"));
        QCOMPARE(m_main->session().loadFile, QStringLiteral("edited.cfg"));
    }

    void cutShortConfigFileIsRefused()
    {
        const QByteArray bytes = m_app.readFile(QStringLiteral("set.cfg"));
        m_app.writeFile(QStringLiteral("cut.cfg"), bytes.left(bytes.indexOf("a005")));
        m_prompter.shown.clear();
        m_prompter.files << m_app.file(QStringLiteral("cut.cfg"));
        m_main->files().ParaOpenClick();
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown.first().text, m_main->session().messages.text(67));
        QCOMPARE(m_main->session().loadFile, QStringLiteral("edited.cfg"));
    }

    void cleanupTestCase() { m_main.reset(); }
};

QTEST_MAIN(tst_ParameterFileFormats)
#include "tst_ParameterFileFormats.moc"
