#pragma once

#include <QObject>
#include <QStringList>

class InverterCatalog;
class QCheckBox;
class QComboBox;
class QWidget;
struct CommSettings;

// The controls of the setup window that lie outside its visible width: the stop-bit and
// byte-size choices (kept in [Comms] "Stopbits" and "Bytesize", not offered to the user),
// the candidate and available port lists, the armed state of the "no usable port" warning,
// the special set-up mark of the connected drive, and the type, form and CPU version lists
// the drive identification looks names up in.
class HiddenLineControls : public QObject
{
    Q_OBJECT

public:
    /// Creates the controls on `window`, to the right of `visibleWidth`.
    HiddenLineControls(QWidget &window, int visibleWidth);

    /// Stop bits and byte size of the record.
    void show(const CommSettings &s);
    /// Stop bits and byte size as the choices show them.
    void take(CommSettings &s) const;
    void setPorts(const QStringList &candidates, const QStringList &available);
    void setPortChk(bool armed);
    void setSpecialSetup(bool special);
    /// Type names with their numbers, the forms and the CPU versions of `typeName`.
    void setLookups(const InverterCatalog &catalog, const QString &typeName, const QString &cpuVersion);

    QComboBox *CommStop = nullptr;
    QComboBox *CommSize = nullptr;
    QComboBox *ComboAllPort_COM = nullptr;
    QComboBox *PC_ComboPort_COM = nullptr;
    QCheckBox *PortChk = nullptr;
    QCheckBox *SpDrv1 = nullptr;
    QComboBox *TypeList = nullptr;
    QComboBox *FormList = nullptr;
    QComboBox *CpuList = nullptr;
};
