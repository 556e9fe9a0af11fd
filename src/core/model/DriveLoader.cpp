#include "DriveLoader.h"

#include "DefinitionParser.h"
#include "DriveData.h"
#include "ModelInfo.h"
#include "ParameterValues.h"
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/FileLookup.h"
#include "base/Prompter.h"
#include "base/TextFile.h"

#include <QFileInfo>

namespace {

constexpr int DefinitionFilter = 0;  // dialog filters are counted from 0
constexpr int CapacityFilter = 1;
constexpr int CapacityExtensionLength = 4;  // ".cap"

enum Message {
    DefinitionMissing = 6,
    CapacityMissing = 7,
    CapacityOfOtherType = 9,
    NoFileChosen = 85,
};

}  // namespace

DriveLoader::DriveLoader(AppFolders &folders, DriveSelection &selection, const MessageTable &messages,
                         Prompter &prompter)
    : m_folders(folders)
    , m_selection(selection)
    , m_messages(messages)
    , m_prompter(prompter)
    , m_dialogTitle(QStringLiteral("Open"))
    , m_dialogFilter(defaultDialogFilter())
{
}

QString DriveLoader::defaultDialogFilter()
{
    return QStringLiteral("VKR410T Inverter Type Data (*.inv)|*.inv|VKR410T Inverter Capa. Data (*.cap)|*.cap");
}

void DriveLoader::setDialogTexts(const QString &title, const QString &filter)
{
    m_dialogTitle = title;
    m_dialogFilter = filter;
}

QString DriveLoader::definitionFile() const
{
    return FileLookup::resolve(m_folders.modelFolder + QLatin1Char('/') + m_selection.typeName + QLatin1Char('(')
                               + m_selection.languagePrefix + QStringLiteral(").inv"));
}

QString DriveLoader::capacityFile() const
{
    return FileLookup::resolve(m_folders.modelFolder + QLatin1Char('/') + m_selection.typeName
                               + m_selection.formName + QStringLiteral(".cap"));
}

void DriveLoader::showMessage(int k)
{
    m_prompter.warn(m_messages.text(k), m_messages.caption());
    m_prompter.pump();
}

ModelInfo DriveLoader::modelInfo() const
{
    return ModelInfo(m_folders.infoFile, CodePages::forPrefix(m_selection.languagePrefix));
}

bool DriveLoader::readLines(const QString &path, QStringList *lines) const
{
    lines->clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    return TextFile::readLines(path, CodePages::forPrefix(m_selection.languagePrefix), lines);
}

QString DriveLoader::pickFile(int missingMessage, int filterIndex)
{
    showMessage(missingMessage);
    const QString chosen = m_prompter.chooseFile(m_dialogTitle, m_folders.modelFolder, m_dialogFilter, filterIndex);
    if (chosen.isEmpty() || QFileInfo(chosen).fileName().isEmpty()) {
        showMessage(NoFileChosen);
        return QString();
    }
    return chosen;
}

bool DriveLoader::LoadDefinitions(DriveData &data)
{
    QString disp = modelInfo().disp();
    data.paraDat.writeTitles();
    QStringList lines;
    if (!readLines(definitionFile(), &lines)) {
        const QString chosen = pickFile(DefinitionMissing, DefinitionFilter);
        if (chosen.isEmpty())
            return false;
        m_folders.setModelFolder(QFileInfo(chosen).absolutePath());
        const ModelInfo info = modelInfo();
        m_selection.typeName = info.type();
        m_selection.cpuVersion = info.cpu();
        m_selection.cpuNumber = m_selection.cpuVersion.mid(1);
        disp = info.disp();
        readLines(chosen, &lines);
    }
    DefinitionParser::parseDefinitions(lines, disp, data);
    return true;
}

bool DriveLoader::LoadCapacities(DriveData &data)
{
    data.capPara.clear();
    data.capParaR.clear();
    QStringList lines;
    if (!readLines(capacityFile(), &lines)) {
        const QString chosen = pickFile(CapacityMissing, CapacityFilter);
        if (chosen.isEmpty())
            return false;
        // The file name is <type><form>.cap and the form name begins with "-".
        const QString name = QFileInfo(chosen).fileName();
        const QString base = name.left(qMax<qsizetype>(0, name.size() - CapacityExtensionLength));
        const qsizetype dash = base.indexOf(QLatin1Char('-'));
        if (dash < 0 || base.left(dash) != m_selection.typeName) {
            showMessage(CapacityOfOtherType);
            return false;
        }
        m_selection.formName = base.mid(dash);
        readLines(chosen, &lines);
    }
    DefinitionParser::parseCapacities(lines, data);
    DefinitionParser::applyModelInfo(modelInfo(), data);
    return true;
}

DriveLoader::Result DriveLoader::load(DriveData &data)
{
    data.decimalComma = m_selection.decimalComma;
    if (!LoadDefinitions(data) || !LoadCapacities(data))
        return Result::StartupFailed;
    ParameterValues values(data, m_messages, m_prompter);
    if (values.SetUpValues() != ParameterValues::SetUpResult::Done)
        return Result::SelectAgain;
    return Result::Loaded;
}

DriveLoader::Result DriveLoader::load(AppFolders &folders, DriveSelection &selection, const MessageTable &messages,
                                      Prompter &prompter, DriveData &data)
{
    return DriveLoader(folders, selection, messages, prompter).load(data);
}
