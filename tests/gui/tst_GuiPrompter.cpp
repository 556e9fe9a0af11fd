#include "main/GuiPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

// The message boxes the windows show.
class tst_GuiPrompter : public QObject
{
    Q_OBJECT

private slots:
    void captionIsNotCut_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("start file of the wrong type") << "Confirmation (File-type error)" << "Data is incorrect.";
        QTest::newRow("language error") << "Confirmation (Language error)" << "OK?";
    }
    void captionIsNotCut()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        int width = 0, captionWidth = 0;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            width = box->width();
            QFont bold = box->font();  // captions are drawn in bold
            bold.setBold(true);
            captionWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
            box->done(QMessageBox::Ok);
        });
        GuiPrompter prompter;
        QCOMPARE(prompter.message(text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok), Prompter::Answer::Ok);
        QVERIFY(captionWidth > 0);
        // Room for the caption beside the title bar's icon and buttons.
        QVERIFY2(width >= captionWidth + 96, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(captionWidth)));
    }
};

QTEST_MAIN(tst_GuiPrompter)
#include "tst_GuiPrompter.moc"
