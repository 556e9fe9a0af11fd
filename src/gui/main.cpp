#include "app/AppFolders.h"
#include "app/SingleInstance.h"
#include "main/GuiPrompter.h"
#include "main/TMain.h"
#include "main/UnattendedPrompter.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
constexpr int AlreadyRunningExit = 1;
constexpr int StartFailedExit = 2;

const char HelpText[] =
    "Usage: VKR410T [FILE.vkr]\n"
    "  or:  VKR410T --help | --version\n"
    "\n"
    "The windows of VKR410T, a maintenance tool for variable-frequency drives: read every\n"
    "parameter of a drive into a table, edit it within its limits, write it back, compare\n"
    "table and drive, keep parameter sets as files, watch drive quantities on a live chart\n"
    "and operate the drive from an on-screen keypad, over a serial line with the drive\n"
    "maker's protocol or Modbus RTU.\n"
    "\n"
    "Without FILE, the start-up window chooses the language and the drive (type, form and\n"
    "CPU version), by the last choice or by scanning the serial ports. With FILE, a\n"
    "parameter file (.vkr), the drive and the language are taken from the file and its\n"
    "values are loaded.\n"
    "\n"
    "Files: the application folder holds the drive data (dat), the language files (lng)\n"
    "and the settings file VKR410T.ini. Started without FILE it is the current folder,\n"
    "or the program's folder when the current folder holds none of them; with FILE, the\n"
    "program's folder. When neither holds them, the data installed with the program\n"
    "are used. When the application folder cannot be written, the settings file is kept\n"
    "in $XDG_CONFIG_HOME/vkr410t (default ~/.config/vkr410t).\n"
    "\n"
    "Options:\n"
    "  --help     Print this help and exit.\n"
    "  --version  Print the version and exit.\n"
    "\n"
    "Exit codes:\n"
    "  0  closed normally\n"
    "  1  another VKR410T is already running\n"
    "  2  the start-up could not complete\n";

// --help and --version answer before any window system is needed.
bool answeredInfoOption(int argc, char **argv)
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(HelpText, stdout);
        return true;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::fputs(AppFolders::AppName, stdout);
        std::fputs(" " VKR_VERSION "\n", stdout);
        return true;
    }
    return false;
}
}  // namespace

int main(int argc, char **argv)
{
    if (answeredInfoOption(argc, argv))
        return 0;
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
