#include "CliCommand.h"
#include "CliTransfer.h"

namespace {

int runImport(const QStringList &args)
{
    return CliTransfer::run(TransferMode::Import, args);
}

const CliCommand::Registrar registrar(
    "import", "[drive options] [line options] [--open FILE [--answer yes|no|cancel]] [--out FILE] [--report FILE] "
              "[--on-error ignore|abort] [--maintenance] [--no-type-check] [--progress]",
    "read every parameter from the drive; the set goes to --out, the report to --report or stdout", runImport);

}  // namespace
