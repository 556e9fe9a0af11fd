#include "ParameterFileCommands.h"

#include "TMain.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileOpen.h"
#include "paramtable/TParameter.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTableView>

namespace {
const QString SaveItem = QStringLiteral("ParaSaveOverWrite");

enum SaveFilterEntry { VkrEntry = 0, CsvEntry = 1, CfgEntry = 2 };
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
    m_session.data.lastShownIndex = m_session.data.lastUserIndex;
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
    if (result == ParameterFileOpen::Result::ConfigFile) {
        // Configuration files are read once their reader exists.
        m_prompter.message(messages.text(67), messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
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
    const bool changedOnly = m_session.settings().get(Keys::ChgPara2);
    const QStringList lines = ParameterFile::build(m_session.data, m_session.selection, m_session.commentsText,
                                                   m_session.blindMode, m_session.blindCount, changedOnly);
    QString error;
    const QString path = m_session.savePath + QLatin1Char('/') + m_session.saveFile;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ParameterFile::writeLines(path, m_session.selection.languagePrefix, lines, &error);
    QGuiApplication::restoreOverrideCursor();
    if (!written) {
        const MessageTable &messages = m_session.messages;
        m_prompter.message(messages.text(67) + QLatin1Char('\n') + path + QLatin1Char('\n') + error,
                           messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
    }
    return written;
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
    if (WriteParameterFile()) {
        m_main.setWindowTitle(fileCaption(m_session.saveFile));
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
    if (name.right(4).toUpper() != QLatin1String(".VKR")) {
        // Tables and configuration files are written once their writers exist.
        m_prompter.message(m_session.messages.text(67) + QLatin1Char('\n') + name, m_session.messages.caption(),
                           Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return;
    }
    if (WriteParameterFile()) {
        m_main.setWindowTitle(fileCaption(m_session.saveFile));
        // "Save" writes where "Save As" wrote, folder and name.
        m_session.loadPath = m_session.savePath;
        m_session.loadFile = m_session.saveFile;
        m_main.setCommandEnabled(SaveItem, true);
    }
    focusGrid();
}
