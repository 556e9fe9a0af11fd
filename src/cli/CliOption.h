#pragma once

#include <QString>
#include <QStringList>

// Takes "--name VALUE" or "--name=VALUE" out of args. False when the option is present
// without a value; *value stays as it was when the option is absent.
bool takeOption(QStringList &args, const QString &name, QString *value);
