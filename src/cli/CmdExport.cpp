#include "CliCommand.h"
#include "CliTransfer.h"

namespace {

int runExport(const QStringList &args)
{
    return CliTransfer::run(TransferMode::Export, args);
}

const CliCommand::Registrar registrar(
    "export", "Write the set (factory values, or --open FILE) to the drive; the report goes to --report or stdout.",
    runExport);

}  // namespace
