#include "StartedWithFile.h"

#include <QAction>
#include <QtTest>

// The main window's file commands against real files in a fresh application folder.
class tst_ParameterFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void saveAsWithAddedExtensionAsks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("bare name, user keeps the file") << "victim" << 0 << "victim.vkr" << int(Prompter::Answer::No) << false;
        QTest::newRow("bare name, user replaces it") << "victim" << 0 << "victim.vkr" << int(Prompter::Answer::Yes) << true;
        QTest::newRow("other extension, user keeps the file") << "victim.txt" << 0 << "victim.txt.vkr"
                                                              << int(Prompter::Answer::No) << false;
    }
    // A name typed without the extension is checked under the name that is written.
    void saveAsWithAddedExtensionAsks()
    {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, target);
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        Started s(vkr("0009,250,1,0\r\n"));
        const QByteArray precious("precious contents\r\n");
        s.app.writeFile(target, precious);
        s.prompter.files = {s.app.file(typed)};
        s.prompter.chosenFilters = {filter};
        s.prompter.answers = {Prompter::Answer(answer)};
        const QString saveFileBefore = s.main->session().saveFile;
        s.main->action(QStringLiteral("ToolBsavas"))->trigger();

        QCOMPARE(s.prompter.shown.size(), 1);
        QCOMPARE(s.prompter.shown.first().text, target + QStringLiteral(" already exists.\nDo you want to replace it?"));
        QCOMPARE(s.prompter.shown.first().buttons, Prompter::Buttons::YesNo);
        QCOMPARE(s.prompter.shown.first().caption, s.main->session().messages.caption());
        const QByteArray now = s.app.readFile(target);
        QCOMPARE(now == precious, !replaced);
        if (replaced) {
            QVERIFY(now.contains("\r\n0009,250,1,0\r\n"));
            QCOMPARE(s.main->session().saveFile, target);
        } else {
            QCOMPARE(s.main->session().saveFile, saveFileBefore);
        }
    }

    void saveAsToANewNameDoesNotAsk()
    {
        Started s(vkr(""));
        s.prompter.files = {s.app.file(QStringLiteral("fresh"))};
        s.main->action(QStringLiteral("ToolBsavas"))->trigger();
        QVERIFY(s.prompter.shown.isEmpty());
        QVERIFY(s.app.readFile(QStringLiteral("fresh.vkr")).startsWith("###\r\n"));
    }
};

QTEST_MAIN(tst_ParameterFileCommands)
#include "tst_ParameterFileCommands.moc"
