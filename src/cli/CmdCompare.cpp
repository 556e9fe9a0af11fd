#include "CliCommand.h"
#include "CliTransfer.h"

namespace {

int runCompare(const QStringList &args)
{
    return CliTransfer::run(TransferMode::Comparison, args);
}

const CliCommand::Registrar registrar(
    "compare", "Compare the set (factory values, or --open FILE) with the drive; the report goes to --report or stdout.",
    runCompare);

}  // namespace
