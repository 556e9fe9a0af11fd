#include "TestAppFolder.h"
#include "app/AppFolders.h"
#include "app/ParameterHelp.h"

#include <QTest>

class tst_ParameterHelp : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void topic_data();
    void topic();
};

void tst_ParameterHelp::lookup_data()
{
    QTest::addColumn<QString>("present");  // file in the model folder, "" for none
    QTest::addColumn<bool>("winHelp");
    QTest::addColumn<QString>("found");

    QTest::newRow("compiled HTML") << "KDA1(Eng).chm" << false << "KDA1(Eng).chm";
    QTest::newRow("name in other case") << "kda1(ENG).CHM" << false << "kda1(ENG).CHM";
    QTest::newRow("WinHelp chosen") << "KDA1(Eng).hlp" << true << "KDA1(Eng).hlp";
    QTest::newRow("WinHelp chosen, only chm there") << "KDA1(Eng).chm" << true << "";
    QTest::newRow("other language only") << "KDA1(Jap).chm" << false << "";
    QTest::newRow("none") << "" << false << "";
}

void tst_ParameterHelp::lookup()
{
    QFETCH(QString, present);
    QFETCH(bool, winHelp);
    QFETCH(QString, found);
    TestAppFolder app(false);
    app.writeFile(QStringLiteral("dat/KDA1(V100)/Info.ini"), "[Info]\r\n");
    if (!present.isEmpty())
        app.writeFile(QStringLiteral("dat/KDA1(V100)/") + present, "help");
    AppFolders folders;
    folders.setAppFolder(app.path());
    folders.setModel(QStringLiteral("KDA1"), QStringLiteral("V100"));
    const QString file = ParameterHelp::existingFile(folders, QStringLiteral("KDA1"), QStringLiteral("Eng"), winHelp);
    QCOMPARE(file.isEmpty() ? QString() : QFileInfo(file).fileName(), found);
}

void tst_ParameterHelp::topic_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("topic");
    QTest::newRow("letters and digits") << "AB12" << "html\\ab12.htm";
    QTest::newRow("mixed case") << "dEC" << "html\\dec.htm";
}

void tst_ParameterHelp::topic()
{
    QFETCH(QString, title);
    QFETCH(QString, topic);
    QCOMPARE(ParameterHelp::topic(title), topic);
}

QTEST_GUILESS_MAIN(tst_ParameterHelp)
#include "tst_ParameterHelp.moc"
