#include "main/GuiPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

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

    // A name typed without its extension is checked for overwriting as the file that will
    // be written.
    void saveDialogAsksAboutTheNameWithItsExtension()
    {
        QTemporaryDir dir;
        QFile victim(dir.filePath(QStringLiteral("victim.vkr")));
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.close();
        QString question;
        std::function<void()> answerBox = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(10, answerBox);
                return;
            }
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        };
        std::function<void()> typeName = [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            auto *edit = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
            if (!edit) {
                QTimer::singleShot(10, typeName);
                return;
            }
            edit->setText(QStringLiteral("victim"));
            QTimer::singleShot(10, answerBox);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        };
        QTimer::singleShot(0, typeName);
        // Whatever happens, the dialog does not stay open.
        QTimer::singleShot(10000, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        GuiPrompter prompter;
        int entry = 0;
        const QString path = prompter.chooseSaveFile(QStringLiteral("Save As"), dir.path(), QString(),
                                                     QStringLiteral("Parameter Datas (*.vkr)|*.vkr|Parameter Table Datas (*.csv)|*.csv"),
                                                     &entry);
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("victim.vkr"));
        QVERIFY2(question.contains(QStringLiteral("victim.vkr")), qPrintable(question));
    }
};

QTEST_MAIN(tst_GuiPrompter)
#include "tst_GuiPrompter.moc"
