#pragma once

// VKR410T started with a parameter file in a fresh application folder, its windows shown, for
// the GUI tests; message boxes and file dialogs are answered by a ScriptedPrompter.

#include "TestAppFolder.h"
#include "base/ScriptedPrompter.h"
#include "main/TMain.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"
#include "startup/Ttype.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <memory>

// No port to search when "New" shows the start-up window: the machine's own ports stay out.
inline const QByteArray LanguageSettings("[Language]\r\nJapanese=0\r\nEnglish=0\r\n[Comms]\r\nPortNames=/dev/vkr-no-such-port\r\n");

inline QByteArray vkr(const QByteArray &body, const QByteArray &blind = "0\r\n0\r\n", const QByteArray &type = "KDA1")
{
    return "###\r\n" + type + "\r\n-2004P\r\nV100\r\nEnglish\r\nNo Comments.\r\n" + blind + body;
}

inline void closeStartupWindow()
{
    QTimer::singleShot(0, [] {
        auto *type = qobject_cast<Ttype *>(QApplication::activeModalWidget());
        if (!type) {
            closeStartupWindow();
            return;
        }
        QTest::keyClick(type, Qt::Key_Escape);
    });
}

// VKR410T started with a parameter file in a fresh application folder, its windows shown.
struct Started {
    TestAppFolder app;
    ScriptedPrompter prompter;
    std::unique_ptr<TMain> main;

    explicit Started(const QByteArray &file, const QByteArray &settings = LanguageSettings)
    {
        app.writeSettings(settings);
        app.writeFile(QStringLiteral("set.vkr"), file);
        main = std::make_unique<TMain>(prompter, QStringList{app.file(QStringLiteral("set.vkr"))}, app.path());
        main->show();
    }
    TParameter &table() { return *main->table(); }
    DriveData &data() { return main->session().data; }
    int index(const char *comNo) { return data().IndexOfComNo(QString::fromLatin1(comNo)); }
    int gridRowOf(const char *comNo)
    {
        for (int r = 1; r < table().model().gridRowCount(); ++r) {
            if (table().model().cell(r, 1) == QLatin1String(comNo))
                return r;
        }
        return -1;
    }
    void selectRows(int first, int last, int column = 3)
    {
        QTableView *grid = table().StringGrid1();
        const QAbstractItemModel *m = grid->model();
        grid->selectionModel()->select(QItemSelection(m->index(first - 1, column), m->index(last - 1, column)),
                                       QItemSelectionModel::ClearAndSelect);
        table().CurrentRow = first;
    }
};

