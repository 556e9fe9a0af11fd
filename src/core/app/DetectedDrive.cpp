#include "DetectedDrive.h"

#include "InverterCatalog.h"

namespace {

// The drives that tell their type at FB05 and their form at FB58.
constexpr int OldStyleType = 65;
constexpr int TypeNumberTries = 3;

}  // namespace

DetectedDrive::DetectedDrive(const InverterCatalog &catalog, const QStringList &typeNumbers)
    : m_catalog(catalog), m_typeNumbers(typeNumbers)
{
}

int DetectedDrive::typeIndexOf(const std::optional<int> &number) const
{
    return number ? int(m_typeNumbers.indexOf(QString::number(*number))) : -1;
}

int DetectedDrive::cpuIndexOf(int typeIndex, const std::optional<int> &cpuNumber) const
{
    if (typeIndex < 0 || !cpuNumber)
        return -1;
    const QString type = m_catalog.types().value(typeIndex);
    return int(m_catalog.cpuNumbers(type).indexOf(QString::number(*cpuNumber)));
}

int DetectedDrive::formIndexOf(int typeIndex, int cpuIndex, const std::optional<int> &formNumber) const
{
    if (typeIndex < 0 || cpuIndex < 0 || !formNumber)
        return -1;
    const QString type = m_catalog.types().value(typeIndex);
    const QStringList forms = m_catalog.forms(type, m_catalog.cpuVersions(type).value(cpuIndex));
    for (int i = 0; i < forms.size(); ++i) {
        if (m_catalog.formNumber(type, forms.at(i)) == QString::number(*formNumber))
            return i;
    }
    return -1;
}

void DetectedDrive::oldStyle(const Reader &read, Numbers &n, Choice &c)
{
    n.type = OldStyleType;
    c.type = typeIndexOf(n.type);
    if (!n.cpu)
        n.cpu = read(QStringLiteral("FE08"));
    c.cpu = cpuIndexOf(c.type, n.cpu);
    n.form = read(QStringLiteral("FB58"));
    c.form = formIndexOf(c.type, c.cpu, n.form);
}

void DetectedDrive::fromTypeNumber(const Reader &read, Numbers &n, Choice &c)
{
    const QString number = QString::number(*n.type);
    const QString ident = m_catalog.typeIdentNumber(number);
    if (ident != QLatin1String("-")) {
        if (const auto value = read(ident)) {
            const QString name = m_catalog.typeIdentName(number, QString::number(*value));
            if (name != QLatin1String("-"))
                n.identName = name;
        }
    }
    c.type = n.identName.isEmpty() ? typeIndexOf(n.type) : int(m_catalog.types().indexOf(n.identName));
    n.cpu = read(QStringLiteral("FE08"));
    c.cpu = cpuIndexOf(c.type, n.cpu);
    if (c.type >= 0 && c.cpu >= 0) {
        n.form = read(QStringLiteral("FB05"));
        c.form = formIndexOf(c.type, c.cpu, n.form);
    }
    if (c.form < 0 && *n.type == 0) {
        // Type number 0 at FB07: an old drive may tell its type at FB05 instead.
        const auto second = read(QStringLiteral("FB05"));
        if (second != OldStyleType) {
            c = Choice{};
            n = Numbers{};
            return;
        }
        oldStyle(read, n, c);
    }
}

DetectedDrive::Choice DetectedDrive::identify(const Reader &read, const Writer &write)
{
    write(QStringLiteral("FB91"), QStringLiteral("251"));
    Numbers n;
    for (int i = 0; i < TypeNumberTries && !n.type; ++i)
        n.type = read(QStringLiteral("FB07"));
    Choice c;
    if (n.type) {
        fromTypeNumber(read, n, c);
    } else {
        n.type = read(QStringLiteral("FB05"));
        c.type = typeIndexOf(n.type);
        if (n.type == OldStyleType)
            oldStyle(read, n, c);
        else
            c.type = -1;
    }
    if (!c.complete()) {
        if (n.type && *n.type > 0)
            c.unknownDrive = describe(n);
        c.type = c.cpu = c.form = -1;
    }
    return c;
}

QString DetectedDrive::describe(const Numbers &n) const
{
    QString type = n.identName;
    if (type.isEmpty())
        type = m_catalog.typeNameOfNumber(QString::number(*n.type));
    if (type.isEmpty())
        type = QStringLiteral("****");
    QString form = n.form ? m_catalog.formNameOfNumber(type, QString::number(*n.form)) : QString();
    if (form.isEmpty())
        form = QStringLiteral("-****");
    const QString cpu = n.cpu && *n.cpu >= 0 ? QStringLiteral("V%1").arg(*n.cpu) : QStringLiteral("V***");
    return type + QLatin1Char('(') + cpu + QLatin1Char(')') + form;
}
