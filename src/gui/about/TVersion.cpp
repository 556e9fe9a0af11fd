#include "TVersion.h"

#include "app/AppFolders.h"
#include "app/InverterCatalog.h"
#include "app/LanguageFile.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

TVersion::TVersion(const LanguageFile &language, const InverterCatalog &catalog, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TVersion"));
    auto text = [&](const char *key, const char *def) {
        return language.text(QStringLiteral("About"), QString::fromLatin1(key), QString::fromLatin1(def));
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
    form->addRow(text("Label3", "Version"), new QLabel(QCoreApplication::applicationVersion(), this));
    form->addRow(text("Label4", "Memory"), new QLabel(memoryText(), this));
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
    resize(360, 420);
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
