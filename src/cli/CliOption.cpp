#include "CliOption.h"

bool takeOption(QStringList &args, const QString &name, QString *value)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg.startsWith(name + QLatin1Char('='))) {
            *value = arg.mid(name.size() + 1);
            args.removeAt(i);
            return true;
        }
        if (arg == name) {
            if (i + 1 >= args.size())
                return false;
            *value = args.at(i + 1);
            args.remove(i, 2);
            return true;
        }
    }
    return true;
}
