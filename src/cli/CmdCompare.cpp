#include "CliCommand.h"
#include "CliTransfer.h"

namespace {

int runCompare(const QStringList &args)
{
    return CliTransfer::run(TransferMode::Comparison, args);
}

const CliCommand::Registrar registrar(
    "compare", "[drive options] [line options] [--open FILE [--answer yes|no|cancel]] [--report FILE] "
               "[--on-error ignore|abort] [--maintenance] [--no-type-check] [--progress]",
    "read every parameter and list those that differ from the factory set or the --open file (exit 7)",
    runCompare);

}  // namespace
