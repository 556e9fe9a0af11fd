#include "TMain.h"

#include "CommandAvailability.h"
#include "CommLogDock.h"
#include "MainMenuTable.h"
#include "OptionCommands.h"
#include "ParameterFileCommands.h"
#include "ParameterTableTwins.h"
#include "SelectedTransferTwins.h"
#include "SnapshotCommands.h"
#include "base/Prompter.h"
#include "HelpViewer.h"
#include "ToolIcons.h"
#include "about/TVersion.h"
#include "app/InstallLayout.h"
#include "app/InverterCatalog.h"
#include "paramtable/TParameter.h"
#include "comm/CommLink.h"
#include "comm/DetectExchange.h"
#include "comm/SpecialSetupCheck.h"
#include "comm/TRSset.h"
#include "model/ModelInfo.h"
#include "monitor/MonitorCommands.h"
#include "paramtable/TParameters.h"
#include "print/PrintCommands.h"
#include "startup/Ttype.h"
#include "transfer/TransferCommands.h"
#include "InverterInfoCommand.h"
#include "ServiceReportCommand.h"
#include "monitor/MonitorFileCommands.h"
#include "monitor/MonitorPicture.h"
#include "monitor/TMonitoring.h"
#include "keypad/KeypadCommand.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QToolBar>

namespace {
constexpr int MinimumWidth = 639;
}

TMain::TMain(Prompter &prompter, const QStringList &arguments, const QString &exeFolder, QWidget *parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TMain"));
    setWindowTitle(QLatin1String(AppFolders::AppName));
    createMenus();
    createToolBar();
    m_files = new ParameterFileCommands(*this, m_session, m_prompter);
    m_transfers = new TransferCommands(*this, m_prompter);
    m_inverterInfo = new InverterInfoCommand(*this, m_prompter);
    m_keypad = new KeypadCommand(*this, m_prompter);
    m_print = new PrintCommands(*this, m_prompter);
    m_monitor = new MonitorCommands(*this, m_prompter);
    m_snapshots = new SnapshotCommands(*this, m_prompter);
    m_serviceReport = new ServiceReportCommand(*this, m_prompter);
    m_commLog = new CommLogDock(m_session, m_prompter, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_commLog);
    m_commLog->setFloating(true);
    m_commLog->hide();
    m_serviceReport->communicationLog = [this] { return m_commLog->buffer().text().toUtf8(); };
    // A recording shown in the monitoring window goes into the report with its picture.
    m_serviceReport->recordingMon = [this] {
        const TMonitoring *w = m_monitor->window();
        return w ? w->files()->recordingBytes() : QByteArray();
    };
    m_serviceReport->recordingPng = [this] {
        TMonitoring *w = m_monitor->window();
        return w && w->recording().SamplesTaken() > 0 ? MonitorPicture::png(*w) : QByteArray();
    };
    connectHandlers();
    FormCreate(arguments, exeFolder);
    if (!m_session.startupFailed) {
        m_optionCommands = new OptionCommands(*this, m_prompter);
        createCommLink();
    }
}

TMain::~TMain() = default;

QAction *TMain::action(const QString &component) const
{
    return m_actions.value(component);
}

QMenu *TMain::menu(const QString &component) const
{
    return m_menus.value(component);
}

bool TMain::commandBuilt(const QString &component) const
{
    return CommandAvailability::built(m_itemOfButton.value(component, component));
}

void TMain::enableAction(const QString &component, bool enabled)
{
    if (QAction *a = action(component))
        a->setEnabled(enabled && commandBuilt(component));
}

void TMain::setCommandEnabled(const QString &component, bool enabled)
{
    enableAction(component, enabled);
    enableAction(m_twinOf.value(component), enabled);
}

void TMain::fixHeight()
{
    const int height = menuBar()->sizeHint().height() + m_toolBar->sizeHint().height();
    setMinimumWidth(MinimumWidth);
    setFixedHeight(height);
    resize(MinimumWidth, height);
}

void TMain::FormCreate(const QStringList &arguments, const QString &exeFolder)
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
    fixHeight();
    if (!arguments.isEmpty()) {
        startWithFile(arguments.first(), exeFolder);
        return;
    }
    m_session.setAppFolder(InstallLayout::appFolder({QDir::currentPath(), exeFolder}, exeFolder));
    m_session.ensureLanguages();
    normalStart();
}

void TMain::normalStart()
{
    m_session.readFolders();
    m_session.blindMode = false;
    m_session.blindCount = 0;
    if (!selectAndLoadDrive())
        return;
    setWindowTitle(m_session.caption());
    setCommandEnabled(QStringLiteral("ParaSaveOverWrite"), false);
}

bool TMain::selectAndLoadDrive()
{
    // A definition file that cannot be used sends the user back to the drive selection.
    for (;;) {
        if (!chooseDrive())
            return false;
        if (!m_parameters) {
            loadDataWindow();
            if (m_session.startupFailed)
                return false;
        }
        const Session::DriveLoad load = m_session.loadDrive(m_prompter);
        if (load == Session::DriveLoad::Loaded)
            return true;
        if (load == Session::DriveLoad::Failed)
            return false;
    }
}

bool TMain::chooseDrive()
{
    Ttype type(m_session, StartUp, m_prompter, this);
    if (type.failed()) {
        m_session.startupFailed = true;
        return false;
    }
    if (m_parameters)
        type.lockLanguage();
    type.exec();
    I_CpuForm_M = type.cpuVersions();
    I_CpuNo_M = type.cpuNumbers();
    return true;
}

void TMain::startWithFile(const QString &path, const QString &exeFolder)
{
    const StartFile file = m_session.startWithFile(path, exeFolder, m_prompter);
    if (m_session.startupFailed)
        return;
    CommentsChk = file.commentsChk;
    CommentsText = file.commentsText;
    loadDataWindow();
    if (m_session.startupFailed)
        return;
    const Session::DriveLoad load = m_session.loadDrive(m_prompter);
    if (load == Session::DriveLoad::SelectAgain) {
        normalStart();
        return;
    }
    if (load != Session::DriveLoad::Loaded)
        return;
    setWindowTitle(m_session.caption());
    m_files->loadStartFile(file.lines);
    m_startedWithFile = true;
}

bool TMain::newDrive()
{
    if (selectAndLoadDrive())
        return true;
    // No drive data, or definition files the user would not look for: the application ends.
    if (m_session.startupFailed)
        close();
    return false;
}

void TMain::createTable()
{
    m_table = new TParameter(m_session, m_prompter, this);
    m_table->setRatingSource([this]() -> DriveReader {
        // "Get Current/Voltage Base using On-Line": ask the drive when a check finds it.
        if (!m_comm || !m_session.options.on(Opt::CheckBox3))
            return {};
        m_comm->connectionCheck().run();
        return m_comm->ratingReader(true);
    });
    m_twins = new ParameterTableTwins(*this, *m_table);
    new SelectedTransferTwins(*this, m_prompter);
    m_files->setTable(m_table);
    connect(m_table, &TParameter::fileDropped, m_files, &ParameterFileCommands::openDropped);
    connect(m_table, &TParameter::activated, this, [this] { FormActivate(true); });
    m_table->FormCreate(frameGeometry(), m_startedWithFile);
    m_tableAnchor = frameGeometry();
}

void TMain::keepTableUnderFrame()
{
    // The frame settles only after the window is on the screen (a window manager adds the
    // title bar and borders then). The table follows the main window's frame for as long as
    // nobody has moved or resized it.
    if (!m_table || !m_table->isVisible() || !m_table->whereItWasPlaced())
        return;
    const QRect frame = frameGeometry();
    if (frame == m_tableAnchor)
        return;
    m_tableAnchor = frame;
    m_table->placeUnder(frame);
}

void TMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    keepTableUnderFrame();
}

void TMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    keepTableUnderFrame();
}

void TMain::loadDataWindow()
{
    m_parameters = new TParameters(m_session, m_prompter, this);
    if (!m_parameters->FormCreate())
        m_session.startupFailed = true;
}

void TMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMain::FormShow()
{
    if (m_session.startupFailed) {
        close();
        return;
    }
    ApplyMainTexts();
    applyModelOptions();
    action(QStringLiteral("MMIMt"))->setVisible(true);
    createTable();
    m_table->show();
    m_monitor->create();
    m_print->checkPrinterConnection();
    // The main window's frame is final only once its show has finished: place the table
    // again then, and whenever the frame changes later (keepTableUnderFrame).
    QTimer::singleShot(0, this, &TMain::keepTableUnderFrame);
    DrvChkAct = true;
    StartUp = true;
}

void TMain::applyModelOptions()
{
    const bool cvList = m_parameters && m_parameters->hasCurrentVoltageList();
    setCommandEnabled(QStringLiteral("PopCVDisp2"), cvList);
    const IniFile info(m_session.folders.infoFile, CodePages::forPrefix(m_session.selection.languagePrefix));
    const bool quick = info.readInt(QStringLiteral("Setup"), QStringLiteral("Quick"), 0) > 0;
    for (const char *name : {"ToolBQuick", "ToolBQuickSep", "PopQuick2"}) {
        if (QAction *a = action(QString::fromLatin1(name)))
            a->setVisible(quick);
    }
    for (QAction *a : m_toolBar->actions()) {
        if (a->objectName() == QLatin1String("ToolBQuickSep"))
            a->setVisible(quick);
    }
}

void TMain::ApplyMainTexts()
{
    const LanguageFile &lang = m_session.language;
    const QString main = QStringLiteral("Main");
    auto text = [&](const char *key, const char *def) {
        return lang.text(main, QString::fromLatin1(key), QString::fromUtf8(def));
    };
    const IniFile info(m_session.folders.infoFile, CodePages::forPrefix(m_session.selection.languagePrefix));
    if (info.readBool(QStringLiteral("Setup"), QStringLiteral("MLD_flt"), false)) {
        OpenFilter = text("OpenFile1M", "Parameter Datas (*.vkr)|*.vkr|VKW530T Config Data (*.cfg)|*.cfg|All Files (*.*)|*.*");
        SaveFilter = text("SaveFile1M", "Parameter Datas (*.vkr)|*.vkr|Parameter Table Datas (*.csv)|*.csv|VKW530T Config Data (*.cfg)|*.cfg");
    } else {
        OpenFilter = text("OpenFile1", "Parameter Datas (*.vkr)|*.vkr|All Files (*.*)|*.*");
        SaveFilter = text("SaveFile1", "Parameter Datas (*.vkr)|*.vkr|Parameter Table Datas (*.csv)|*.csv");
    }
    DefinitionFilter = text("OpenFile2", "Inv Type Datas (*.inv)|*.inv|Inv Capa Datas (*.cap)|*.cap");
    OpenTitle = text("ToolB3", "Open");
    for (int i = 0; i < MainMenuTable::MenuCount; ++i) {
        const MainMenuDef &def = MainMenuTable::Menus[i];
        const QString caption = text(def.key, def.caption);
        if (QMenu *m = menu(QString::fromLatin1(def.component)))
            m->setTitle(caption);
        else if (QAction *a = action(QString::fromLatin1(def.component)))
            a->setText(caption);
    }
    for (int i = 0; i < MainMenuTable::ItemCount; ++i) {
        const MainItemDef &def = MainMenuTable::Items[i];
        if (*def.key)
            action(QString::fromLatin1(def.component))->setText(text(def.key, def.caption));
    }
    for (int i = 0; i < MainMenuTable::ToolButtonCount; ++i) {
        const ToolButtonDef &def = MainMenuTable::ToolButtons[i];
        if (*def.key) {
            const QString hint = text(def.key, def.hint);
            action(QString::fromLatin1(def.component))->setToolTip(hint);
            action(QString::fromLatin1(def.component))->setText(hint);
        }
    }
}

void TMain::closeEvent(QCloseEvent *event)
{
    // Refused while monitoring samples, silently.
    if (m_session.monitoringRunning) {
        event->ignore();
        return;
    }
    if (!m_session.startupFailed)
        m_session.writeFolders();
    if (m_comm)
        m_comm->close();
    if (m_parameters)
        m_parameters->close();
    if (m_table)
        m_table->hide();
    event->accept();
}

void TMain::createCommLink()
{
    m_comm = std::make_unique<CommLink>(m_session.data, m_prompter, m_session.messages);
    m_comm->readSettings(m_session.settings());
    m_comm->port().port().setTrace(m_commLog->trace());
    m_comm->connectionCheck().setMonitoringRunning([this] { return m_session.monitoringRunning; });
    connect(&m_comm->indicator(), &LineIndicator::imageChanged, this, &TMain::showLineImage);
    connect(&m_comm->connectionCheck(), &ConnectionCheck::commandGroupsChanged, this, &TMain::setDriveCommands);
    setDriveCommands(false, false, false);
}

void TMain::ToolBlineClick()
{
    if (!m_comm || m_session.monitoringRunning || m_comm->connectionCheck().run())
        return;
    // A line that does not answer opens the setup window, then is tried once more. A port
    // that does not open has its own message; an open line without an answer says so.
    openCommSetup();
    if (!m_comm->connectionCheck().run() && m_comm->port().port().isOpen()) {
        m_prompter.message(m_session.messages.text(3), m_session.messages.caption(), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
    }
}

void TMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMain::FormActivate(bool tableActive)
{
    if (!m_comm || !m_shown || m_session.startupFailed)
        return;
    DetectExchange detect(m_comm->port().port(), m_comm->settings());
    SpecialSetupCheck check(m_comm->connectionCheck(), detect, m_comm->settings(), m_session.messages, m_prompter);
    SpecialSetupCheck::Notice notice{tableActive, DrvChkAct, DrvChkd};
    check.run(ModelInfo(m_session.folders.infoFile).specialSetup(), notice);
    DrvChkAct = notice.DrvChkAct;
    DrvChkd = notice.DrvChkd;
}

void TMain::RS232C1Click()
{
    if (!m_comm)
        return;
    openCommSetup();
    m_comm->connectionCheck().run();
}

void TMain::openCommSetup()
{
    if (!m_rsSet)
        m_rsSet = new TRSset(m_session, *m_comm, m_prompter, this);
    m_rsSet->exec();
    m_prompter.pump();
    m_comm->port().setPortNotFoundShown(false);
}

void TMain::showLineImage(int image)
{
    action(QStringLiteral("ToolBline"))->setIcon(ToolIcons::lineIcon(image));
    // The picture changes inside a running exchange: show it before the wait begins.
    if (QWidget *button = m_toolBar->widgetForAction(action(QStringLiteral("ToolBline"))))
        button->repaint();
}

void TMain::setDriveCommands(bool transfer, bool panel, bool information)
{
    for (const char *name : {"ToolBpr", "ToolBpw", "ToolBpsr", "ToolBpsw", "ToolBpcp", "DownLoad", "UpLoad",
                             "PopDownLoad2", "PopUpLoad2", "PopComp", "SnapshotRestore", "ServiceReport"})
        enableAction(QString::fromLatin1(name), transfer);
    for (const char *name : {"ToolBpanel", "ToolBInvInfo", "InvRun"})
        enableAction(QString::fromLatin1(name), panel);
    enableAction(QStringLiteral("MonInvInfo"), information);
}

void TMain::MMItoolsSettingClick()
{
    if (m_optionCommands)
        m_optionCommands->MMItoolsSettingClick();
}

void TMain::MMIMtClick()
{
    if (m_optionCommands)
        m_optionCommands->MMIMtClick();
}

void TMain::ToolsEndClick()
{
    close();
}

void TMain::VersionClick()
{
    InverterCatalog catalog;
    catalog.scan(m_session.folders.dataFolder, m_session.folders.catalogFile());
    TVersion version(m_session, catalog, this);
    version.exec();
}

void TMain::MMItoolsHelpClick()
{
    HelpViewer::open(m_session.mainHelpFile());
}

void TMain::ParaMakeNewClick()
{
    m_files->ParaMakeNewClick();
}

void TMain::ParaOpenClick()
{
    m_files->ParaOpenClick();
}

void TMain::ParaSaveOverWriteClick()
{
    m_files->ParaSaveOverWriteClick();
}

void TMain::ParaSaveChangeNameClick()
{
    m_files->ParaSaveChangeNameClick();
}

void TMain::ParameterEditorClick()
{
    if (m_table && action(QStringLiteral("ParameterEditor"))->isEnabled())
        m_table->show();
}

void TMain::DownLoadClick()
{
    m_transfers->run(TransferMode::Import);
}

void TMain::UpLoadClick()
{
    m_transfers->run(TransferMode::Export);
}

void TMain::PopCompClick()
{
    m_transfers->run(TransferMode::Comparison);
}

void TMain::MonInvInfoClick()
{
    m_inverterInfo->MonInvInfoClick();
}

void TMain::ServiceReportClick()
{
    m_serviceReport->ServiceReportClick();
}

void TMain::InvRunClick()
{
    m_keypad->run();
}

void TMain::PrintSetupClick()
{
    m_print->PrintSetupClick();
}

void TMain::PrintClick()
{
    m_print->PrintClick();
}

void TMain::PrinterSetupClick()
{
    m_print->PrinterSetupClick();
}

void TMain::MonChartClick()
{
    m_monitor->MonChartClick();
}
