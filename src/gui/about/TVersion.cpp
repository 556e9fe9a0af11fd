#include "TVersion.h"

#include "app/AppFolders.h"
#include "app/InverterCatalog.h"
#include "app/Session.h"
#include "app/Version.h"

#include <QDir>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

TVersion::TVersion(const Session &session, const InverterCatalog &catalog, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TVersion"));
    auto text = [&](const char *key, const char *def) {
        return session.language.text(QStringLiteral("About"), QString::fromLatin1(key), QString::fromLatin1(def));
    };
    setWindowTitle(text("Form", "About VKR410T"));
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(text("Label1", AppFolders::AppName), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(new QLabel(text("Label2", "Inverter Maintenance Tool"), this));
    auto *form = new QFormLayout;
    const auto row = [&](const QString &caption, const QString &value, const char *name) {
        auto *label = new QLabel(value, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(caption, label);
    };
    const DriveSelection &drive = session.selection;
    row(text("Label3", "Version"), Version::number(), "VersionNo");
    row(text("Label6", "Build"), Version::buildDate(), "BuildDate");
    row(QStringLiteral("Qt"), QString::fromLatin1(qVersion()), "QtVersion");
    row(text("Label4", "Memory"), memoryText(), "Memory");
    row(text("Label7", "Drive"), drive.typeName + drive.formName + QStringLiteral(" (CPU Ver.") + drive.cpuVersion + QLatin1Char(')'), "Drive");
    row(text("Label8", "Data folder"), QDir::toNativeSeparators(session.folders.dataFolder), "DataFolder");
    row(text("Label9", "Language"), QDir::toNativeSeparators(session.language.path()), "LanguageFile");
    layout->addLayout(form);
    layout->addWidget(new QLabel(text("Label5", "Inverter Data"), this));
    auto *tree = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("ModelTree"));
    tree->setHeaderHidden(true);
    for (const QString &type : catalog.types()) {
        auto *typeItem = new QTreeWidgetItem(tree, {type + QStringLiteral("  (") + catalog.typeNumber(type) + QLatin1Char(')')});
        for (const QString &cpu : catalog.cpuVersions(type)) {
            auto *cpuItem = new QTreeWidgetItem(typeItem, {cpu});
            for (const QString &formName : catalog.forms(type, cpu))
                new QTreeWidgetItem(cpuItem, {type + formName});
        }
    }
    tree->expandToDepth(0);
    layout->addWidget(tree);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(460, 480);
}

QString TVersion::memoryText()
{
    // Resident and peak resident size of this process, from the kernel's status file.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("-");
    QString rss, peak;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            rss = QString::fromLatin1(line.mid(6).simplified());
        else if (line.startsWith("VmHWM:"))
            peak = QString::fromLatin1(line.mid(6).simplified());
    }
    return rss + QStringLiteral(" (peak ") + peak + QLatin1Char(')');
}
