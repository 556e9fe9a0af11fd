#include "KeypadCommand.h"

#include "TRunPRKP.h"
#include "base/Prompter.h"
#include "main/TMain.h"

KeypadCommand::KeypadCommand(TMain &main, Prompter &prompter) : QObject(&main), m_main(main), m_prompter(prompter)
{
}

void KeypadCommand::run()
{
    if (!m_main.commLink())
        return;
    m_main.ParaTableAct = false;
    TRunPRKP window(m_main.session(), *m_main.commLink(), m_prompter, &m_main);
    connect(&window, &TRunPRKP::becameActive, this, [this] { m_main.ParaTableAct = false; });
    emit keypadOpening(&window);
    window.exec();
    m_prompter.pump();
}
