#include "app/AppFolders.h"
#include "app/SingleInstance.h"
#include "main/GuiPrompter.h"
#include "main/TMain.h"
#include "main/UnattendedPrompter.h"

#include <QApplication>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(AppFolders::AppName));
    QApplication::setApplicationVersion(QStringLiteral(VKR_VERSION));

    std::unique_ptr<Prompter> prompter;
    const QString log = UnattendedPrompter::logFileFromEnvironment();
    if (log.isEmpty())
        prompter = std::make_unique<GuiPrompter>();
    else
        prompter = std::make_unique<UnattendedPrompter>(log);

    SingleInstance instance;
    if (!instance.acquire()) {
        prompter->message(QStringLiteral("Already running."), QLatin1String(AppFolders::AppName),
                          Prompter::Icon::Stop, Prompter::Buttons::Ok);
        return 1;
    }

    TMain main(*prompter, app.arguments().mid(1, 1), QApplication::applicationDirPath());
    if (auto *gui = dynamic_cast<GuiPrompter *>(prompter.get()))
        gui->setParent(&main);
    if (main.startupFailed())
        return 0;
    main.show();
    return app.exec();
}
