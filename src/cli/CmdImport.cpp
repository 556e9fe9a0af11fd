#include "CliCommand.h"
#include "CliTransfer.h"

namespace {

int runImport(const QStringList &args)
{
    return CliTransfer::run(TransferMode::Import, args);
}

const CliCommand::Registrar registrar(
    "import", "Read every parameter from the drive into the set; the set goes to --out, the report to --report or stdout.",
    runImport);

}  // namespace
