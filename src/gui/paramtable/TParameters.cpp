#include "TParameters.h"

#include "app/Session.h"

TParameters::TParameters(Session &session, Prompter &prompter, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , m_session(session)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TParameters"));
    setWindowTitle(QStringLiteral("Parameters"));
    if (mainWindow)
        move(mainWindow->geometry().bottomLeft() + QPoint(0, 1));
}

bool TParameters::FormCreate()
{
    return m_session.loadLanguage(m_prompter);
}

bool TParameters::hasCurrentVoltageList() const
{
    return !m_session.data.listBuff.isEmpty();
}
