#pragma once

#include "app/Session.h"

#include <QHash>
#include <QSet>
#include <QMainWindow>
#include <QStringList>
#include <memory>

class QAction;
class QMenu;
class QToolBar;
class Prompter;
class ParameterFileCommands;
class ParameterTableTwins;
class TParameter;
class TParameters;
class CommLink;
class TRSset;
class TransferCommands;
class InverterInfoCommand;
class KeypadCommand;
class PrintCommands;
class MonitorCommands;
class ServiceReportCommand;
class OptionCommands;
class SnapshotCommands;
class CommLogDock;

// The main window: a menu bar and a tool bar strip, nothing else visible. Creating it runs
// the whole start-up; its hidden state (flags and lists other windows use) are plain fields.
class TMain : public QMainWindow
{
    Q_OBJECT

public:
    /// `arguments` are the command-line arguments after the program name; `exeFolder` the
    /// executable's folder, the application folder when started with a file. A current
    /// folder without drive data, language files or settings gives way to the executable's
    /// folder, then to the installation's shared data folder.
    TMain(Prompter &prompter, const QStringList &arguments, const QString &exeFolder, QWidget *parent = nullptr);
    ~TMain() override;

    Session &session() { return m_session; }
    bool startupFailed() const { return m_session.startupFailed; }
    TParameters *parameters() const { return m_parameters; }
    TParameter *table() const { return m_table; }
    ParameterFileCommands &files() const { return *m_files; }
    CommLink *commLink() const { return m_comm.get(); }
    TransferCommands *transfers() const { return m_transfers; }
    InverterInfoCommand *inverterInfo() const { return m_inverterInfo; }
    KeypadCommand *keypad() const { return m_keypad; }
    PrintCommands *printing() const { return m_print; }
    MonitorCommands *monitor() const { return m_monitor; }
    ServiceReportCommand *serviceReport() const { return m_serviceReport; }
    OptionCommands *optionCommands() const { return m_optionCommands; }
    CommLogDock *commLog() const { return m_commLog; }

    /// A menu item or tool button by its component name (nullptr when there is none).
    QAction *action(const QString &component) const;
    QMenu *menu(const QString &component) const;
    /// Enables a menu item and the tool button that stands for it; a command whose operation
    /// is not built stays disabled.
    void setCommandEnabled(const QString &component, bool enabled);
    /// Whether the operation of a menu item or tool button exists in this build.
    bool commandBuilt(const QString &component) const;

    // Hidden state used by the other windows.
    bool ParaTableAct = false;
    bool DrvChkAct = false;
    bool DrvChkd = false;
    bool StartUp = false;
    bool ComCancel = false;
    bool TypeCheck = false, FormCheck = false, CPUCheck = false;
    bool CommentsChk = false;
    QString CommentsText;
    QStringList I_CpuForm_M, I_CpuNo_M;
    QStringList CFG_CNum, CFG_Val;

    // Dialog filters and titles set by the language file.
    QString OpenFilter, SaveFilter, DefinitionFilter, OpenTitle;

    /// The main window (or, with `tableActive`, the parameter table) became active: refresh
    /// the line state and the special set-up mark; the table tells the user once.
    void FormActivate(bool tableActive = false);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void ToolsEndClick();
    void VersionClick();
    void MMItoolsHelpClick();
    void ParaMakeNewClick();
    void ParaOpenClick();
    void ParaSaveOverWriteClick();
    void ParaSaveChangeNameClick();
    void ParameterEditorClick();
    void DownLoadClick();
    void UpLoadClick();
    void PopCompClick();
    void MonInvInfoClick();
    void ServiceReportClick();
    void InvRunClick();
    void MonChartClick();
    void ToolBlineClick();
    void RS232C1Click();
    void PrintSetupClick();
    void PrintClick();
    void PrinterSetupClick();
    void MMItoolsSettingClick();
    void MMIMtClick();
    void SnapshotRestoreClick();
    void CommLogClick();
    void showLineImage(int image);
    void setDriveCommands(bool transfer, bool panel, bool information);

private:
    friend class ParameterFileCommands;
    friend class ParameterTableTwins;

    void enableAction(const QString &component, bool enabled);
    void createMenus();
    void createToolBar();
    void connectHandlers();
    void FormCreate(const QStringList &arguments, const QString &exeFolder);
    void normalStart();
    bool chooseDrive();
    bool selectAndLoadDrive();
    void startWithFile(const QString &path, const QString &exeFolder);
    void loadDataWindow();
    void FormShow();
    void ApplyMainTexts();
    void applyModelOptions();
    void fixHeight();
    bool newDrive();
    void createTable();
    void keepTableUnderFrame();
    void createCommLink();
    void openCommSetup();

    Prompter &m_prompter;
    Session m_session;
    TParameters *m_parameters = nullptr;
    TParameter *m_table = nullptr;
    ParameterFileCommands *m_files = nullptr;
    ParameterTableTwins *m_twins = nullptr;
    TransferCommands *m_transfers = nullptr;
    InverterInfoCommand *m_inverterInfo = nullptr;
    KeypadCommand *m_keypad = nullptr;
    PrintCommands *m_print = nullptr;
    MonitorCommands *m_monitor = nullptr;
    ServiceReportCommand *m_serviceReport = nullptr;
    OptionCommands *m_optionCommands = nullptr;  // the options and password windows
    SnapshotCommands *m_snapshots = nullptr;
    CommLogDock *m_commLog = nullptr;
    bool m_startedWithFile = false;
    std::unique_ptr<CommLink> m_comm;
    TRSset *m_rsSet = nullptr;  // "RS-232C Setup", created on first use
    QToolBar *m_toolBar = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QString> m_twinOf;        // menu item -> tool button
    QHash<QString, QString> m_itemOfButton;  // tool button -> menu item
    QSet<QAction *> m_connected;
    bool m_shown = false;
    QRect m_tableAnchor;  // the main window's frame the table was placed under
};
