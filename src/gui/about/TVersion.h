#pragma once

#include <QDialog>

class InverterCatalog;
class Session;

// The version window: product name, version, build date and Qt version, memory figures of
// the process, the drive, data and language folders in use, and the tree of model folders
// (type, CPU version, forms) found in the data folder.
class TVersion : public QDialog
{
    Q_OBJECT

public:
    TVersion(const Session &session, const InverterCatalog &catalog, QWidget *parent = nullptr);

private:
    static QString memoryText();
};
