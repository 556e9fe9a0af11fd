#include "ModelInfo.h"

namespace {

const QString Info = QStringLiteral("Info");
const QString Setup = QStringLiteral("Setup");
const QString DispCv = QStringLiteral("Disp CV");

}  // namespace

ModelInfo::ModelInfo(const QString &path, CodePage page)
    : m_file(path, page)
{
}

QString ModelInfo::type() const
{
    return m_file.readString(Info, QStringLiteral("Type"), QStringLiteral("-"));
}

QString ModelInfo::cpu() const
{
    return m_file.readString(Info, QStringLiteral("Cpu"), QStringLiteral("-"));
}

QString ModelInfo::disp() const
{
    return m_file.readString(Setup, QStringLiteral("Disp"), QStringLiteral("0*"));
}

int ModelInfo::quick() const
{
    return m_file.readInt(Setup, QStringLiteral("Quick"), 0);
}

bool ModelInfo::mldFilter() const
{
    return m_file.readBool(Setup, QStringLiteral("MLD_flt"), false);
}

QString ModelInfo::mldId() const
{
    return m_file.readString(Setup, QStringLiteral("MLD_ID"), QStringLiteral("-"));
}

bool ModelInfo::specialSetup() const
{
    return m_file.readBool(Setup, QStringLiteral("SpChk"), false);
}

int ModelInfo::option(int n) const
{
    return m_file.readInt(Setup, QStringLiteral("Option%1").arg(n), 0);
}

int ModelInfo::unit() const
{
    return m_file.readInt(Setup, QStringLiteral("Unit"), 0);
}

QStringList ModelInfo::dispCvKeys() const
{
    return m_file.keys(DispCv);
}

QString ModelInfo::dispCv(const QString &comNo) const
{
    return m_file.readString(DispCv, comNo, QString());
}
