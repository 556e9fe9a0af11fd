#pragma once

#include "base/IniFile.h"

#include <QString>
#include <QStringList>

// The keys of a model folder's Info.ini that shape the parameter table and the windows, with
// their defaults. The file is only read, in the code page of the language.
class ModelInfo
{
public:
    explicit ModelInfo(const QString &path = QString(), CodePage page = CodePage::Windows1252);

    const IniFile &file() const { return m_file; }

    QString type() const;        // [Info] Type, "-": read when a definition file is picked by hand
    QString cpu() const;         // [Info] Cpu, "-"
    QString disp() const;        // [Setup] Disp, "0*": extra prefix of user parameters, "0*" = none
    int quick() const;           // [Setup] Quick, 0: above 0 the Quick display is offered
    bool mldFilter() const;      // [Setup] MLD_flt, false: configuration files in the file dialogs
    QString mldId() const;       // [Setup] MLD_ID, "-": identifier written into configuration files
    bool specialSetup() const;   // [Setup] SpChk, false: the drive may be in a special set-up
    int option(int n) const;     // [Setup] Option1 / Option2, 0
    int unit() const;            // [Setup] Unit, 0: keypad display unit
    QStringList dispCvKeys() const;               // [Disp CV] key names in file order
    QString dispCv(const QString &comNo) const;   // [Disp CV] <comNo>: "C", "V" or empty

private:
    IniFile m_file;
};
