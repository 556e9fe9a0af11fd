#include "app/AppFolders.h"
#include "app/SingleInstance.h"
#include "main/GuiPrompter.h"
#include "main/TMain.h"
#include "main/UnattendedPrompter.h"

#include <QApplication>
#include <memory>

namespace {
constexpr int AlreadyRunningExit = 1;
constexpr int StartFailedExit = 2;
}  // namespace

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

    const QString appName = QLatin1String(AppFolders::AppName);
    SingleInstance instance;
    switch (instance.acquire()) {
    case SingleInstance::Result::Acquired:
        break;
    case SingleInstance::Result::Running:
        prompter->message(QStringLiteral("Already running."), appName, Prompter::Icon::Stop, Prompter::Buttons::Ok);
        return AlreadyRunningExit;
    case SingleInstance::Result::Unavailable:
        // Nothing else runs as far as anyone knows: the tool starts, only unguarded.
        prompter->message(QStringLiteral("The lock that keeps a second %1 from starting cannot be created (%2). "
                                         "%1 starts without it.")
                              .arg(appName, instance.error()),
                          appName, Prompter::Icon::Warning, Prompter::Buttons::Ok);
        break;
    }

    TMain main(*prompter, app.arguments().mid(1, 1), QApplication::applicationDirPath());
    if (auto *gui = dynamic_cast<GuiPrompter *>(prompter.get()))
        gui->setParent(&main);
    if (main.startupFailed())
        return StartFailedExit;
    main.show();
    const int result = app.exec();
    // "New" that finds no usable drive data ends the application as a failed start does.
    return main.startupFailed() ? StartFailedExit : result;
}
