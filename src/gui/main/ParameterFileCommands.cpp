#include "ParameterFileCommands.h"

#include "TMain.h"
#include "app/InverterCatalog.h"
#include "base/CodePage.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "files/ConfigFile.h"
#include "files/ConfigFileOpen.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileOpen.h"
#include "files/TableFile.h"
#include "model/ModelInfo.h"
#include "paramtable/ParameterGridModel.h"
#include "paramtable/TParameter.h"
#include "paramtable/TParameters.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTableView>

namespace {
const QString SaveItem = QStringLiteral("ParaSaveOverWrite");

enum SaveFilterEntry { VkrEntry = 0, CsvEntry = 1, CfgEntry = 2 };

bool hasExtension(const QString &name, const char *ext)
{
    return name.right(4).toUpper() == QLatin1String(ext);
}
}  // namespace

ParameterFileCommands::ParameterFileCommands(TMain &main, Session &session, Prompter &prompter)
    : QObject(&main)
    , m_main(main)
    , m_session(session)
    , m_prompter(prompter)
{
}

bool ParameterFileCommands::enabled(const char *component) const
{
    const QAction *a = m_main.action(QString::fromLatin1(component));
    return a && a->isEnabled();
}

QString ParameterFileCommands::fileCaption(const QString &fileName, const QString &fileDrive) const
{
    QString caption = m_session.caption() + QLatin1Char(' ') + m_session.messages.text(1) + fileName;
    if (!fileDrive.isEmpty())
        caption += QStringLiteral(" (") + fileDrive + QLatin1Char(')');
    return caption;
}

void ParameterFileCommands::focusGrid()
{
    if (m_table && m_table->isVisible())
        m_table->StringGrid1()->setFocus();
}

void ParameterFileCommands::ParaMakeNewClick()
{
    // A port that cannot be opened is reported again for the new set.
    if (CommLink *link = m_main.commLink())
        link->port().setPortNotFoundShown(false);
    if (!m_main.newDrive())
        return;
    m_main.setWindowTitle(m_session.caption());
    m_main.ApplyMainTexts();
    m_main.setCommandEnabled(SaveItem, false);
    // "New" ends maintenance mode when the option says so; the buffer table goes with it.
    if (m_session.maintenanceAtNew() && m_main.parameters())
        m_main.parameters()->hide();
    m_main.DrvChkAct = true;
    m_main.DrvChkd = false;
    m_main.CommentsChk = false;
    m_main.CommentsText.clear();
    m_session.commentsChk = false;
    m_session.commentsText.clear();
    m_session.blindMode = false;
    m_session.blindCount = 0;
    // Without "Display the last selected Inverter" the line settings are those of the file again.
    if (!m_session.settings().get(Keys::CheckInv) && m_main.commLink())
        m_main.commLink()->readSettings(m_session.settings());
    if (m_table) {
        m_table->driveChanged(false);
        if (m_main.action(QStringLiteral("ToolBTable"))->isEnabled())
            m_table->show();
        focusGrid();
    }
    m_main.applyModelOptions();
}

void ParameterFileCommands::ParaOpenClick()
{
    if (!enabled("ParaOpen"))
        return;
    m_main.CFG_CNum.clear();
    m_main.CFG_Val.clear();
    const QString path = m_prompter.chooseFile(m_main.OpenTitle, m_session.loadPath, m_main.OpenFilter, 0);
    if (path.isEmpty())
        return;
    openFile(path);
}

bool ParameterFileCommands::openFile(const QString &path)
{
    m_main.CommentsChk = false;
    QStringList lines;
    const MessageTable &messages = m_session.messages;
    QString reason;
    if (!ParameterFile::readLines(path, m_session.selection.languagePrefix, &lines, &reason)) {
        m_prompter.message(messages.text(67) + QLatin1Char('\n') + path + QStringLiteral(": ") + reason,
                           messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
    ParameterFileOpen open(m_session.data, m_session.selection, messages, m_prompter);
    const ParameterFileOpen::Result result = open.open(lines);
    if (result == ParameterFileOpen::Result::ConfigFile)
        return openConfigFile(path);
    if (result == ParameterFileOpen::Result::Refused || result == ParameterFileOpen::Result::Cancelled)
        return false;
    const QFileInfo info(path);
    m_session.loadPath = info.absolutePath();
    m_session.loadFile = info.fileName();
    const ParameterFile &h = open.header();
    m_session.commentsText = h.comment;
    m_session.commentsChk = !h.comment.isEmpty();
    if (h.layout != ParameterFile::Layout::Oldest) {
        m_session.blindMode = h.blindMode;
        m_session.blindCount = h.blindCount;
    }
    if (result == ParameterFileOpen::Result::Stopped)
        return false;
    afterOpen(h);
    return true;
}

bool ParameterFileCommands::openConfigFile(const QString &path)
{
    QFile file(path);
    const MessageTable &messages = m_session.messages;
    if (!file.open(QIODevice::ReadOnly)) {
        m_prompter.message(messages.text(67), messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
    InverterCatalog catalog;
    catalog.scan(m_session.folders.dataFolder, m_session.folders.catalogFile());
    ConfigFileOpen open(m_session.data, m_session.selection, messages, catalog, m_prompter);
    const ConfigFileOpen::Result result = open.open(file.readAll());
    m_main.CFG_CNum = open.keys();
    m_main.CFG_Val = open.values();
    if (result != ConfigFileOpen::Result::Loaded)
        return false;
    const QFileInfo info(path);
    m_session.loadPath = info.absolutePath();
    m_session.loadFile = info.fileName();
    // The comment and the Blind display stay as they were.
    ParameterFile header;
    header.typeName = open.typeName();
    header.formName = open.formName();
    afterOpen(header);
    return true;
}

void ParameterFileCommands::afterOpen(const ParameterFile &header)
{
    m_main.setWindowTitle(fileCaption(m_session.loadFile, header.typeName + header.formName));
    if (m_table)
        m_table->ResetView(true);
    m_main.setCommandEnabled(SaveItem, true);
}

void ParameterFileCommands::openDropped(const QString &path)
{
    if (openFile(path))
        m_main.setCommandEnabled(SaveItem, true);
}

void ParameterFileCommands::loadStartFile(const QStringList &lines)
{
    ParameterFileOpen open(m_session.data, m_session.selection, m_session.messages, m_prompter);
    open.openAtStart(lines);
    const ParameterFile &h = open.header();
    m_main.setWindowTitle(fileCaption(m_session.loadFile, h.typeName + h.formName));
    m_main.setCommandEnabled(SaveItem, true);
}

bool ParameterFileCommands::WriteParameterFile()
{
    const bool changedOnly = m_session.options.on(Opt::SaveNotChgPara);
    const QStringList lines = ParameterFile::build(m_session.data, m_session.selection, m_session.commentsText,
                                                   m_session.blindMode, m_session.blindCount, changedOnly);
    QString error;
    const QString path = m_session.savePath + QLatin1Char('/') + m_session.saveFile;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = ParameterFile::writeLines(path, m_session.selection.languagePrefix, lines, &error);
    QGuiApplication::restoreOverrideCursor();
    return written(ok, path, error);
}

bool ParameterFileCommands::written(bool ok, const QString &path, const QString &error)
{
    if (!ok) {
        const MessageTable &messages = m_session.messages;
        m_prompter.message(messages.text(67) + QLatin1Char('\n') + path + QLatin1Char('\n') + error,
                           messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
    }
    return ok;
}

bool ParameterFileCommands::WriteConfigFile()
{
    const DriveSelection &sel = m_session.selection;
    const ModelInfo info(m_session.folders.infoFile, CodePages::forPrefix(sel.languagePrefix));
    QStringList tooLarge;
    const QByteArray bytes = ConfigFile::build(m_session.data, sel, info.mldId(), &tooLarge);
    QString error;
    const QString path = m_session.savePath + QLatin1Char('/') + m_session.saveFile;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = ConfigFile::write(path, bytes, &error);
    QGuiApplication::restoreOverrideCursor();
    if (ok && !tooLarge.isEmpty()) {
        // Four hexadecimal digits cannot hold these values; they are not in the file.
        m_prompter.message(QStringLiteral("Values above FFFF were left out of the file:\n") + tooLarge.join(QLatin1Char(' ')),
                           m_session.messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
    }
    return written(ok, path, error);
}

bool ParameterFileCommands::WriteTableFile()
{
    QList<QStringList> rows;
    if (m_table) {
        const ParameterGridModel &model = m_table->model();
        for (int r = 0; r < model.gridRowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < ParameterGridModel::Columns; ++c)
                row << model.cell(r, c);
            rows << row;
        }
    }
    QString error;
    const QString path = m_session.savePath + QLatin1Char('/') + m_session.saveFile;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = TableFile::WriteTableFile(path, rows, m_session.selection, &error);
    QGuiApplication::restoreOverrideCursor();
    return written(ok, path, error);
}


void ParameterFileCommands::ParaSaveOverWriteClick()
{
    if (!enabled("ParaSaveOverWrite"))
        return;
    m_session.savePath = m_session.loadPath;
    m_session.saveFile = m_session.loadFile;
    if (m_session.saveFile.isEmpty()) {
        m_prompter.message(m_session.messages.text(15), m_session.messages.caption(), Prompter::Icon::None,
                           Prompter::Buttons::Ok);
        return;
    }
    if (hasExtension(m_session.saveFile, ".CFG")) {
        // A configuration file is confirmed in the save dialog before it is written again.
        int entry = CfgEntry;
        const QString title = m_session.language.text(QStringLiteral("Main"), QStringLiteral("ToolB4"), QStringLiteral("Save"));
        const QString path =
            m_prompter.chooseSaveFile(title, m_session.savePath, m_session.saveFile, m_main.SaveFilter, &entry);
        const QFileInfo info(path);
        if (path.isEmpty() || info.fileName().isEmpty())
            return;
        m_session.savePath = info.absolutePath();
        m_session.saveFile = info.fileName();
    }
    if (hasExtension(m_session.saveFile, ".CFG") ? WriteConfigFile() : WriteParameterFile()) {
        m_main.setWindowTitle(fileCaption(m_session.saveFile));
        // The confirmed configuration file may have another name or folder.
        m_session.loadPath = m_session.savePath;
        m_session.loadFile = m_session.saveFile;
        m_main.setCommandEnabled(SaveItem, true);
    }
    focusGrid();
}

bool ParameterFileCommands::confirmReplace(const QString &path)
{
    const QFileInfo target(path);
    if (!target.exists() && !target.isSymLink())
        return true;
    const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(target.fileName());
    return m_prompter.message(question, m_session.messages.caption(), Prompter::Icon::Warning,
                              Prompter::Buttons::YesNo)
           == Prompter::Answer::Yes;
}

void ParameterFileCommands::ParaSaveChangeNameClick()
{
    if (!enabled("ParaSaveChangeName"))
        return;
    const QString current = m_session.saveFile.right(4).toUpper();
    int entry = current == QLatin1String(".CSV") ? CsvEntry : current == QLatin1String(".CFG") ? CfgEntry : VkrEntry;
    const QString title = m_session.language.text(QStringLiteral("Main"), QStringLiteral("ToolB5"), QStringLiteral("Save As"));
    const QString path =
        m_prompter.chooseSaveFile(title, m_session.loadPath, m_session.saveFile, m_main.SaveFilter, &entry);
    const QFileInfo info(path);
    if (path.isEmpty() || info.fileName().isEmpty())
        return;
    QString name = info.fileName();
    const QString ext = name.right(4).toUpper();
    if (ext != QLatin1String(".VKR") && ext != QLatin1String(".CSV") && ext != QLatin1String(".CFG")) {
        name += entry == CsvEntry ? QStringLiteral(".csv") : entry == CfgEntry ? QStringLiteral(".cfg") : QStringLiteral(".vkr");
        // The dialog asked about the name as typed; the file written is another one.
        if (!confirmReplace(info.absolutePath() + QLatin1Char('/') + name))
            return;
    }
    m_session.savePath = info.absolutePath();
    m_session.saveFile = name;
    if (hasExtension(name, ".CSV")) {
        // A table file never becomes the current file.
        WriteTableFile();
        focusGrid();
        return;
    }
    if (hasExtension(name, ".CFG") ? WriteConfigFile() : WriteParameterFile()) {
        m_main.setWindowTitle(fileCaption(m_session.saveFile));
        // "Save" writes where "Save As" wrote, folder and name.
        m_session.loadPath = m_session.savePath;
        m_session.loadFile = m_session.saveFile;
        m_main.setCommandEnabled(SaveItem, true);
    }
    focusGrid();
}
