#include "base/ScriptedPrompter.h"
#include "transfer/TResultForm1.h"
#include "transfer/TransferTexts.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The result window: captions, placement, Copy, Save with the dialog or the automatic name,
// and printing into a PDF.
class tst_TResultForm1 : public QObject
{
    Q_OBJECT

private:
    static TransferReport sample()
    {
        TransferReport r;
        r.append(QStringLiteral("* Different Value Parameters"));
        r.append(TransferReport::columnHeader("Inverter", "VKR410T", "Title"));
        r.append(TransferReport::differenceLine("ACC", "    10.0", "    12.3", "Acceleration time 1"));
        return r;
    }
    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void captionsByMode_data();
    void captionsByMode();
    void placedBelowTheMainWindow();
    void copyTakesTheSelection();
    void saveWithTheDialog();
    void automaticSaveNeverOverwritesAndFailureStays();
    void printsThePlainTextIntoAPdf();
};

void tst_TResultForm1::captionsByMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::newRow("import") << int(TransferMode::Import) << "Import Result";
    QTest::newRow("export") << int(TransferMode::Export) << "Export Result";
    QTest::newRow("comparison") << int(TransferMode::Comparison) << "Comparison Result";
    QTest::newRow("inverter information") << int(TransferMode::InverterInfo) << "Inverter Infomation";
    QTest::newRow("trip information") << int(TransferMode::TripInfo) << "Trip Information";
}

void tst_TResultForm1::captionsByMode()
{
    QFETCH(int, mode);
    QFETCH(QString, caption);
    TransferTexts texts;
    ScriptedPrompter prompter;
    TResultForm1::Setup setup;
    setup.mode = TransferMode(mode);
    TResultForm1 form(texts, prompter, setup);
    QCOMPARE(form.windowTitle(), caption);
}

void tst_TResultForm1::placedBelowTheMainWindow()
{
    TransferTexts texts;
    ScriptedPrompter prompter;
    TResultForm1 form(texts, prompter, {});
    form.placeBelow(QRect(20, 30, 640, 60));
    QCOMPARE(form.pos(), QPoint(20, 90));
    QCOMPARE(form.minimumHeight(), 420);
    QCOMPARE(form.minimumWidth(), 360);
}

void tst_TResultForm1::copyTakesTheSelection()
{
    TransferTexts texts;
    ScriptedPrompter prompter;
    TResultForm1 form(texts, prompter, {});
    form.setReport(sample());
    form.ResultDisp()->selectAll();
    form.CopyClick();
    QCOMPARE(QGuiApplication::clipboard()->text(), sample().text());
}

void tst_TResultForm1::saveWithTheDialog()
{
    QTemporaryDir dir;
    TransferTexts texts;
    ScriptedPrompter prompter;
    TResultForm1::Setup setup;
    setup.appFolder = dir.path();
    TResultForm1 form(texts, prompter, setup);
    form.setReport(sample());
    prompter.files = {dir.filePath(QStringLiteral("report"))};
    form.Button2Click();
    QCOMPARE(prompter.offeredFilters.size(), 1);
    QCOMPARE(form.savedPath(), dir.filePath(QStringLiteral("report.txt")));
    QCOMPARE(readFile(form.savedPath()), sample().bytes(CodePage::Windows1252));
    // A cancelled dialog writes nothing.
    form.Button2Click();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void tst_TResultForm1::automaticSaveNeverOverwritesAndFailureStays()
{
    QTemporaryDir dir;
    TransferTexts texts;
    ScriptedPrompter prompter;
    TResultForm1::Setup setup;
    setup.appFolder = dir.path();
    setup.saveAutomatic = true;
    setup.mode = TransferMode::Comparison;
    TResultForm1 form(texts, prompter, setup);
    form.setReport(sample());
    form.Button2Click();
    form.Button2Click();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    QVERIFY(prompter.offeredFilters.isEmpty());

    setup.appFolder = dir.filePath(QStringLiteral("gone"));
    TResultForm1 failing(texts, prompter, setup);
    failing.setReport(sample());
    failing.Button2Click();
    QCOMPARE(prompter.shown.size(), 1);
    QVERIFY(prompter.shown.first().text.contains(QStringLiteral("gone")));
    QVERIFY(failing.savedPath().isEmpty());
    QCOMPARE(failing.ResultDisp()->toPlainText(), sample().text());
}

void tst_TResultForm1::printsThePlainTextIntoAPdf()
{
    QTemporaryDir dir;
    TransferTexts texts;
    ScriptedPrompter prompter;
    TResultForm1 form(texts, prompter, {});
    form.setReport(sample());
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    printer.setOutputFileName(pdf);
    form.printTo(printer);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(10000));
    // pdftotext's layout spaces columns by the glyphs' widths; the words and their order are checked.
    const QString out = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    QVERIFY2(out.startsWith(QStringLiteral("* Different Value Parameters Inverter VKR410T Title "
                                           "ACC: 10.0 , 12.3 (Acceleration time 1)")),
             qPrintable(out));
}

QTEST_MAIN(tst_TResultForm1)
#include "tst_TResultForm1.moc"
