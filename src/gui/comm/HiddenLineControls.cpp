#include "HiddenLineControls.h"

#include "app/InverterCatalog.h"
#include "comm/CommSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>

namespace {
// Choice texts as the line settings list them: index 0..2 one, one and a half, two stop bits;
// 0..1 seven, eight data bits.
const QStringList StopTexts{QStringLiteral("  1"), QStringLiteral(" 1.5"), QStringLiteral("  2")};
const QStringList SizeTexts{QStringLiteral("  7"), QStringLiteral("  8")};
constexpr int Step = 28;
}  // namespace

HiddenLineControls::HiddenLineControls(QWidget &window, int visibleWidth)
    : QObject(&window)
{
    int y = 6;
    auto combo = [&](const char *name, const QStringList &items) {
        auto *box = new QComboBox(&window);
        box->setObjectName(QString::fromLatin1(name));
        box->addItems(items);
        box->setGeometry(visibleWidth + 20, y, 100, 24);
        y += Step;
        return box;
    };
    auto check = [&](const char *name, const char *caption, bool on) {
        auto *box = new QCheckBox(QString::fromLatin1(caption), &window);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(on);
        box->setGeometry(visibleWidth + 20, y, 260, 20);
        y += Step;
        return box;
    };
    CommStop = combo("CommStop", StopTexts);
    CommSize = combo("CommSize", SizeTexts);
    ComboAllPort_COM = combo("ComboAllPort_COM", {});
    PC_ComboPort_COM = combo("PC_ComboPort_COM", {});
    PortChk = check("PortChk", "Port check", true);
    SpDrv1 = check("SpDrv1", "Drive is SP setuped (aul or f519)", false);
    TypeList = combo("TypeList", {});
    FormList = combo("FormList", {});
    CpuList = combo("CpuList", {});
    for (QWidget *w : {static_cast<QWidget *>(CommStop), static_cast<QWidget *>(CommSize),
                       static_cast<QWidget *>(ComboAllPort_COM), static_cast<QWidget *>(PC_ComboPort_COM),
                       static_cast<QWidget *>(PortChk), static_cast<QWidget *>(SpDrv1),
                       static_cast<QWidget *>(TypeList), static_cast<QWidget *>(FormList),
                       static_cast<QWidget *>(CpuList)})
        w->setFocusPolicy(Qt::NoFocus);
}

void HiddenLineControls::show(const CommSettings &s)
{
    // The record's indices are already within their lists (CommSettings keeps them there).
    CommStop->setCurrentIndex(s.stopBitsIndex);
    CommSize->setCurrentIndex(s.byteSizeIndex);
}

void HiddenLineControls::take(CommSettings &s) const
{
    s.stopBitsIndex = qMax(0, CommStop->currentIndex());
    s.byteSizeIndex = CommSize->currentIndex() == 0 ? 0 : 1;
}

void HiddenLineControls::setPorts(const QStringList &candidates, const QStringList &available)
{
    ComboAllPort_COM->clear();
    ComboAllPort_COM->addItems(candidates);
    PC_ComboPort_COM->clear();
    PC_ComboPort_COM->addItems(available);
}

void HiddenLineControls::setPortChk(bool armed)
{
    PortChk->setChecked(armed);
}

void HiddenLineControls::setSpecialSetup(bool special)
{
    SpDrv1->setChecked(special);
}

void HiddenLineControls::setLookups(const InverterCatalog &catalog, const QString &typeName,
                                    const QString &cpuVersion)
{
    TypeList->clear();
    for (const QString &type : catalog.types())
        TypeList->addItem(type + QLatin1Char('=') + catalog.typeNumber(type));
    FormList->clear();
    FormList->addItems(catalog.forms(typeName, cpuVersion));
    CpuList->clear();
    const QStringList versions = catalog.cpuVersions(typeName);
    const QStringList numbers = catalog.cpuNumbers(typeName);
    for (int i = 0; i < versions.size(); ++i)
        CpuList->addItem(versions[i] + QLatin1Char('=') + numbers.value(i));
}
