#include "CliCommand.h"
#include "CliTransfer.h"

namespace {

int runRestore(const QStringList &args)
{
    return CliTransfer::restore(args);
}

const CliCommand::Registrar registrar(
    "restore",
    "Write a snapshot taken before writing (--snapshot FILE, or the newest of this drive) back to the drive; the "
    "report goes to --report or stdout.",
    runRestore);

}  // namespace
