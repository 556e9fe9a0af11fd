#include "app/AppFolders.h"
#include "app/SingleInstance.h"
#include "main/GuiPrompter.h"
#include "main/TMain.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(AppFolders::AppName));
    QApplication::setApplicationVersion(QStringLiteral(VKR_VERSION));

    SingleInstance instance;
    if (!instance.acquire()) {
        QMessageBox::critical(nullptr, QLatin1String(AppFolders::AppName), QStringLiteral("Already running."));
        return 1;
    }

    GuiPrompter prompter;
    TMain main(prompter, app.arguments().mid(1, 1), QApplication::applicationDirPath());
    prompter.setParent(&main);
    if (main.startupFailed())
        return 0;
    main.show();
    return app.exec();
}
