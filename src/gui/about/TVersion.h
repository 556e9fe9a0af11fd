#pragma once

#include <QDialog>

class InverterCatalog;
class LanguageFile;

// The version window: product name and version, memory figures of the process, and the
// tree of model folders (type, CPU version, forms) found in the data folder.
class TVersion : public QDialog
{
    Q_OBJECT

public:
    TVersion(const LanguageFile &language, const InverterCatalog &catalog, QWidget *parent = nullptr);

private:
    static QString memoryText();
};
