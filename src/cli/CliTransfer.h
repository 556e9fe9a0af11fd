#pragma once

#include "transfer/TransferMode.h"

#include <QStringList>

// vkr import, export and compare: a whole transfer without windows. The report goes to
// --report FILE or stdout, byte for byte as the result window saves it; import writes the set
// read to --out FILE as a parameter data file.
namespace CliTransfer {

int run(TransferMode mode, const QStringList &arguments);
/// vkr restore: a snapshot written back through the export, itself snapshotted first.
int restore(const QStringList &arguments);

}  // namespace CliTransfer
