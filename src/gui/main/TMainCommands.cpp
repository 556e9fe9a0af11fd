// The main window's menu bar and tool bar, built from the menu table, and the wiring of each
// command (menu item and its tool-button twin) to its handler.
#include "TMain.h"

#include "CommLogDock.h"
#include "MainMenuTable.h"
#include "ParameterTableTwins.h"
#include "ToolIcons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

void TMain::createMenus()
{
    for (int i = 0; i < MainMenuTable::MenuCount; ++i) {
        const MainMenuDef &def = MainMenuTable::Menus[i];
        const QString name = QString::fromLatin1(def.component);
        if (name == QLatin1String("InvRun")) {
            // "Key Pad" is a command on the menu bar itself.
            QAction *a = menuBar()->addAction(QString::fromLatin1(def.caption));
            a->setObjectName(name);
            m_actions.insert(name, a);
            continue;
        }
        QMenu *m = menuBar()->addMenu(QString::fromLatin1(def.caption));
        m->setObjectName(name);
        m_menus.insert(name, m);
    }
    for (int i = 0; i < MainMenuTable::ItemCount; ++i) {
        const MainItemDef &def = MainMenuTable::Items[i];
        QMenu *m = m_menus.value(QString::fromLatin1(def.menu));
        if (qstrcmp(def.component, "-") == 0) {
            m->addSeparator();
            continue;
        }
        QAction *a = m->addAction(QString::fromLatin1(def.caption));
        a->setObjectName(QString::fromLatin1(def.component));
        if (*def.shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
        m_actions.insert(a->objectName(), a);
    }
    action(QStringLiteral("PrinterSetup"))->setVisible(false);
    action(QStringLiteral("MMIMt"))->setVisible(false);
}

void TMain::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Tools"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->setStyleSheet(QStringLiteral("QToolButton { padding: 0px; margin: 0px; }"));
    m_toolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    QAction *lastButton = nullptr;
    for (int i = 0; i < MainMenuTable::ToolButtonCount; ++i) {
        const ToolButtonDef &def = MainMenuTable::ToolButtons[i];
        if (qstrcmp(def.component, "-") == 0) {
            QAction *separator = m_toolBar->addSeparator();
            if (lastButton)
                separator->setObjectName(lastButton->objectName() + QStringLiteral("Sep"));
            continue;
        }
        const QString name = QString::fromLatin1(def.component);
        QAction *a = m_toolBar->addAction(name == QLatin1String("ToolBline") ? ToolIcons::lineIcon(0)
                                                                           : ToolIcons::icon(name),
                                          QString::fromLatin1(def.hint));
        a->setObjectName(name);
        a->setToolTip(QString::fromLatin1(def.hint));
        m_actions.insert(name, a);
        if (*def.twin) {
            m_twinOf.insert(QString::fromLatin1(def.twin), name);
            m_itemOfButton.insert(name, QString::fromLatin1(def.twin));
        }
        lastButton = a;
    }
}

void TMain::CommLogClick()
{
    m_commLog->toggle(frameGeometry());
}

void TMain::connectHandlers()
{
    auto on = [this](const char *component, void (TMain::*handler)()) {
        const QString name = QString::fromLatin1(component);
        connect(action(name), &QAction::triggered, this, handler);
        m_connected.insert(action(name));
        if (QAction *twin = action(m_twinOf.value(name))) {
            connect(twin, &QAction::triggered, this, handler);
            m_connected.insert(twin);
        }
    };
    on("ToolsEnd", &TMain::ToolsEndClick);
    on("Version", &TMain::VersionClick);
    on("MMItoolsHelp", &TMain::MMItoolsHelpClick);
    on("ParaMakeNew", &TMain::ParaMakeNewClick);
    on("ParaOpen", &TMain::ParaOpenClick);
    on("ParaSaveOverWrite", &TMain::ParaSaveOverWriteClick);
    on("ParaSaveChangeName", &TMain::ParaSaveChangeNameClick);
    on("SnapshotRestore", &TMain::SnapshotRestoreClick);
    on("ParameterEditor", &TMain::ParameterEditorClick);
    on("DownLoad", &TMain::DownLoadClick);
    on("UpLoad", &TMain::UpLoadClick);
    on("PopComp", &TMain::PopCompClick);
    on("MonInvInfo", &TMain::MonInvInfoClick);
    on("ServiceReport", &TMain::ServiceReportClick);
    on("InvRun", &TMain::InvRunClick);
    on("MonChart", &TMain::MonChartClick);
    for (const QString &twin : ParameterTableTwins::twinNames())
        m_connected.insert(action(twin));
    on("ToolBline", &TMain::ToolBlineClick);
    on("RS232C1", &TMain::RS232C1Click);
    on("PrintSetup", &TMain::PrintSetupClick);
    on("Print", &TMain::PrintClick);
    on("PrinterSetup", &TMain::PrinterSetupClick);
    on("MMItoolsSetting", &TMain::MMItoolsSettingClick);
    on("MMIMt", &TMain::MMIMtClick);
    on("CommLog", &TMain::CommLogClick);
    // Commands whose operation this build does not have yet stay visible but disabled.
    for (QAction *a : std::as_const(m_actions)) {
        if (!m_connected.contains(a) || !commandBuilt(a->objectName()))
            a->setEnabled(false);
    }
}
