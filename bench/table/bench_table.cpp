// The parameter table and the parameter data file with 2000 parameters: filling the grid,
// opening a 2000-line ".vkr" file (read, checks, values) and saving it. Prints the figures;
// the goals are a fill under 50 ms, an open and a save under 20 ms each, and a value typed and
// entered, or an undo, repainted within 5 ms.
#include "app/Session.h"
#include "base/ScriptedPrompter.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileOpen.h"
#include "model/DefinitionParser.h"
#include "model/ModelInfo.h"
#include "model/ParameterValues.h"
#include "paramtable/ParameterCommands.h"
#include "paramtable/TParameter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

constexpr int Parameters = 2000;
constexpr int Rounds = 15;

void loadDrive(Session &session)
{
    QStringList inv;
    for (int i = 0; i < Parameters; ++i) {
        const QString no = QStringLiteral("%1").arg(i, 4, 16, QLatin1Char('0')).toUpper();
        inv << QStringLiteral("%1,0,%2,\"Parameter name %3\",F%3,Hz,2,0,0,60000,0,0,#.##,100,,%4,%5")
                   .arg(no, QString::number(i * 7), QString::number(i), QString::number(i % 3), QString::number(i % 2));
    }
    DefinitionParser::parseDefinitions(inv, QStringLiteral("0*"), session.data);
    DefinitionParser::applyModelInfo(ModelInfo(), session.data);
    ScriptedPrompter prompter;
    ParameterValues(session.data, session.messages, prompter).SetUpValues();
    session.data.lastShownIndex = session.data.lastIndex;
    session.selection.typeName = QStringLiteral("KD100");
    session.selection.formName = QStringLiteral("-2015");
    session.selection.cpuVersion = QStringLiteral("V1");
    session.selection.languageName = QStringLiteral("English");
    session.selection.languagePrefix = QStringLiteral("Eng");
}

// Median of the rounds, in milliseconds.
double medianMs(const std::function<void()> &work)
{
    QList<double> times;
    for (int r = 0; r < Rounds; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        times << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    Session session;
    session.setAppFolder(dir.path());
    loadDrive(session);
    for (int i = 0; i < Parameters; i += 3)
        session.data.uPara.setAt(i, UPara::Value, QString::number(i * 7 + 1));
    ScriptedPrompter prompter;
    TParameter table(session, prompter, nullptr);
    table.FormCreate(QRect(0, 0, 639, 60));

    QTextStream out(stdout);
    const double fill = medianMs([&] { table.FillGrid(); });
    out << "FillGrid, " << Parameters << " parameters: " << fill << " ms (goal < 50 ms)\n";

    const QString path = dir.filePath(QStringLiteral("set.vkr"));
    const double save = medianMs([&] {
        const QStringList lines = ParameterFile::build(session.data, session.selection, QString(), false, 0, false);
        ParameterFile::writeLines(path, session.selection.languagePrefix, lines);
    });
    out << "save, " << Parameters + 8 << " lines: " << save << " ms (goal < 20 ms)\n";

    const double open = medianMs([&] {
        QStringList lines;
        ParameterFile::readLines(path, session.selection.languagePrefix, &lines);
        ParameterFileOpen(session.data, session.selection, session.messages, prompter).open(lines);
    });
    out << "open, " << Parameters + 8 << " lines: " << open << " ms (goal < 20 ms)\n";
    // Enter on a typed value until the grid has repainted, and an undo the same way.
    table.show();
    QTableView *grid = table.StringGrid1();
    auto key = [grid](int code, const QString &text) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(grid, &press);
    };
    QList<double> enters;
    for (int r = 0; r < Rounds; ++r) {
        table.CurrentRow = 1000;
        key(Qt::Key_5, QStringLiteral("5"));
        QElapsedTimer t;
        t.start();
        key(Qt::Key_Return, QStringLiteral("\r"));
        grid->viewport()->repaint();
        enters << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(enters.begin(), enters.end());
    out << "Enter to repainted grid, " << Parameters << " parameters: " << enters.at(Rounds / 2)
        << " ms (goal < 5 ms)\n";
    // Only as many undos as entries were kept (the depth, 10 by default).
    QList<double> undos;
    while (session.data.undoRedo.undoEnabled()) {
        QElapsedTimer t;
        t.start();
        table.commands().PopUndoClick();
        grid->viewport()->repaint();
        undos << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(undos.begin(), undos.end());
    out << "undo to repainted grid (" << undos.size() << " undos): " << (undos.isEmpty() ? 0.0 : undos.at(undos.size() / 2))
        << " ms (goal < 5 ms)\n";
    out << "messages shown: " << prompter.shown.size() << "\n";
    return 0;
}
