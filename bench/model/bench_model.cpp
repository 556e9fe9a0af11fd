// Loading a drive of 2000 parameters as start-up does, look-ups by communication number and
// the display text of every parameter. Prints the figures; the goals are a full load under
// 20 ms and a look-up under 100 ns.
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/ScriptedPrompter.h"
#include "base/TextFile.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"
#include "model/ValueConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {

constexpr int Parameters = 2000;
constexpr int Lookups = 1000000;
constexpr int LoadRounds = 20;

QString comNoOf(int i)
{
    // Mostly user parameters, the last quarter maintenance parameters.
    return i < 1500 ? QStringLiteral("%1").arg(i, 4, 16, QLatin1Char('0')).toUpper()
                    : QStringLiteral("F%1").arg(i, 3, 16, QLatin1Char('0')).toUpper();
}

void writeModel(const QString &folder)
{
    QDir().mkpath(folder);
    QStringList inv;
    QStringList cap;
    for (int i = 0; i < Parameters; ++i) {
        const QString no = comNoOf(i);
        const bool linked = i % 10 == 5;
        inv.append(QStringLiteral("%1,%2,%3,F%4,\"Parameter name %4\",Hz,%5,0,%6,%7,%8,%9,#.#,10,RAM,1,%10")
                       .arg(no, linked ? "1" : "0", linked ? comNoOf(i - 1) : QString::number(i * 7),
                            QString::number(i), i % 3 ? "2" : "4", linked ? "1" : "0",
                            linked ? comNoOf(i - 2) : "60000", i % 7 == 0 ? "-1" : "0",
                            i % 7 == 0 ? comNoOf(0) : "0", QString::number(i % 2)));
        if (i % 4 == 0)
            cap.append(no + QStringLiteral(",") + QString::number(i * 3));
    }
    TextFile::writeLines(folder + "/KD100(Eng).inv", inv, CodePage::Windows1252);
    TextFile::writeLines(folder + "/KD100-2015.cap", cap, CodePage::Windows1252);
    TextFile::writeLines(folder + "/Info.ini", {"[Info]", "Type=KD100", "Cpu=V1", "[Setup]", "Disp=0*", "[Disp CV]",
                                                "0010=C", "0011=V"},
                         CodePage::Windows1252);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Loads the drive LoadRounds times as start-up does; false when a load fails.
bool benchLoad(const QString &root, DriveData &data, QTextStream &out)
{
    AppFolders folders;
    folders.setAppFolder(root);
    DriveSelection sel;
    sel.typeName = "KD100";
    sel.cpuVersion = "V1";
    sel.formName = "-2015";
    sel.languagePrefix = "Eng";
    MessageTable messages;
    ScriptedPrompter prompter;
    std::vector<double> loads;
    for (int round = 0; round < LoadRounds; ++round) {
        folders.setModel(sel.typeName, sel.cpuVersion);
        QElapsedTimer t;
        t.start();
        const DriveLoader::Result r = DriveLoader::load(folders, sel, messages, prompter, data);
        loads.push_back(t.nsecsElapsed() / 1e6);
        if (r != DriveLoader::Result::Loaded || data.parameterCount() != Parameters)
            return false;
    }
    out << "full load (" << Parameters << " definitions, capacity file, SetUpValues): median "
        << QString::number(median(loads), 'f', 2) << " ms, best "
        << QString::number(*std::min_element(loads.begin(), loads.end()), 'f', 2) << " ms (goal < 20 ms)\n";
    return true;
}

void benchLookup(const DriveData &data, QTextStream &out)
{
    // One key in eight is not defined.
    QStringList keys;
    for (int i = 0; i < 1024; ++i)
        keys.append(i % 8 == 7 ? QStringLiteral("Z%1").arg(i % 1000, 3, 10, QLatin1Char('0'))
                               : comNoOf((i * 7919) % Parameters));
    QElapsedTimer t;
    t.start();
    qint64 sum = 0;
    for (int i = 0; i < Lookups; ++i)
        sum += data.IndexOfComNo(keys.at(i & 1023));
    const double perLookup = double(t.nsecsElapsed()) / Lookups;
    out << "IndexOfComNo: " << Lookups << " look-ups, " << QString::number(perLookup, 'f', 1)
        << " ns each (goal < 100 ns) [checksum " << sum << "]\n";
    t.restart();
    for (int i = 0; i < 1000; ++i)
        sum += data.comNoList().searchText(keys.at(i & 1023));
    out << "text search of ComNoList for comparison: " << QString::number(t.nsecsElapsed() / 1000.0, 'f', 1)
        << " ns each\n";
}

void benchValueText(DriveData &data, QTextStream &out)
{
    ValueConversion conv(data);
    data.currentBase = 20;
    QElapsedTimer t;
    t.start();
    qsizetype chars = 0;
    for (int i = 0; i <= data.lastIndex; ++i)
        chars += conv.ValueText(data.uPara.at(i, UPara::Value), i).size();
    out << "ValueText for all " << data.parameterCount() << " parameters: "
        << QString::number(t.nsecsElapsed() / 1e6, 'f', 3) << " ms [" << chars << " characters]\n";
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir tmp;
    writeModel(tmp.path() + "/dat/KD100(V1)");
    DriveData data;
    if (!benchLoad(tmp.path(), data, out)) {
        out << "load failed\n";
        return 1;
    }
    benchLookup(data, out);
    benchValueText(data, out);
    return 0;
}
