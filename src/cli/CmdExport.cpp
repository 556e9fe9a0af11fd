#include "CliCommand.h"
#include "CliTransfer.h"

namespace {

int runExport(const QStringList &args)
{
    return CliTransfer::run(TransferMode::Export, args);
}

const CliCommand::Registrar registrar(
    "export", "[drive options] [line options] [--open FILE [--answer yes|no|cancel]] [--report FILE] "
              "[--on-error ignore|abort] [--eeprom] [--changed-only] [--maintenance] [--no-type-check] [--progress]",
    "write the factory set or the --open file to the drive; an echo of another value exits 7", runExport);

}  // namespace
