#include "TestAppFolder.h"
#include "about/TVersion.h"
#include "base/ScriptedPrompter.h"
#include "main/TMain.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

// The version window as "About" shows it.
class tst_TVersion : public QObject
{
    Q_OBJECT

private slots:
    void showsVersionBuildFoldersAndModels()
    {
        TestAppFolder app;
        app.writeSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n");
        app.writeFile(QStringLiteral("x.vkr"), "###\r\nKDA1\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n0\r\n0\r\n");
        ScriptedPrompter prompter;
        TMain main(prompter, {app.file(QStringLiteral("x.vkr"))}, app.path());
        main.show();
        QMap<QString, QString> shown;
        QStringList models;
        QTimer::singleShot(0, &main, [&] {
            auto *w = qobject_cast<TVersion *>(QApplication::activeModalWidget());
            if (!w)
                return;
            for (QLabel *label : w->findChildren<QLabel *>())
                shown.insert(label->objectName(), label->text());
            auto *tree = w->findChild<QTreeWidget *>(QStringLiteral("ModelTree"));
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                models << tree->topLevelItem(i)->text(0);
            w->accept();
        });
        main.action(QStringLiteral("Version"))->trigger();
        // The version is the project version of the top-level CMakeLists.txt.
        QFile cmake(QStringLiteral(VKR_SAMPLE_DATA "/../CMakeLists.txt"));
        QVERIFY(cmake.open(QIODevice::ReadOnly));
        const QRegularExpressionMatch project =
            QRegularExpression(QStringLiteral("project\\(VKR410T VERSION ([0-9.]+)")).match(QString::fromUtf8(cmake.readAll()));
        QVERIFY(project.hasMatch());
        QCOMPARE(shown.value(QStringLiteral("VersionNo")), project.captured(1));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$"))
                    .match(shown.value(QStringLiteral("BuildDate")))
                    .hasMatch());
        QCOMPARE(shown.value(QStringLiteral("QtVersion")), QString::fromLatin1(qVersion()));
        QCOMPARE(shown.value(QStringLiteral("Drive")), QStringLiteral("KDA1-2004P (CPU Ver.V100)"));
        QCOMPARE(shown.value(QStringLiteral("DataFolder")), main.session().folders.dataFolder);
        QVERIFY(shown.value(QStringLiteral("LanguageFile")).endsWith(QLatin1String("English.ini")));
        QCOMPARE(models.size(), 3);
        QVERIFY(models.first().startsWith(QLatin1String("KDA1")));
        main.close();
    }
};

QTEST_MAIN(tst_TVersion)
#include "tst_TVersion.moc"
