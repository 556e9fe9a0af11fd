#pragma once

#include "DriveSelection.h"
#include "InverterCatalog.h"
#include "comm/CommScan.h"

#include <QString>
#include <QStringList>
#include <functional>

struct AppFolders;
class Prompter;
class SerialPort;
class Settings;

// The choice the start-up window offers: language, type, CPU version and form, with the
// initial choice made from the last one remembered (or, later, from the drive found on a
// serial port) and the recording of the choice when the window closes.
class TypeChoice
{
public:
    TypeChoice(Settings &settings, AppFolders &folders);

    /// The line the start-up search uses instead of the serial ports (tests, simulator).
    void setDetectionPort(SerialPort *port) { m_detectionPort = port; }
    /// Told before every try of the start-up search; returning false ends the search.
    void setScanProgress(CommScan::Progress progress) { m_scanProgress = std::move(progress); }

    /// Reads the settings, builds the catalogue and makes the initial choice. `startUp` is the
    /// main window's flag (set once it has been shown). False: no drive data, start-up fails.
    bool build(bool startUp, Prompter &prompter);

    QStringList languages() const { return m_languages; }
    const InverterCatalog &catalog() const { return m_catalog; }
    QStringList types() const { return m_catalog.types(); }
    QStringList typeNumbers() const { return m_typeNumbers; }
    QStringList cpuVersions() const { return m_cpuVersions; }
    QStringList cpuNumbers() const { return m_cpuNumbers; }
    QStringList forms() const { return m_forms; }
    QStringList formNumbers() const { return m_formNumbers; }

    int languageIndex() const { return m_language; }
    int typeIndex() const { return m_type; }
    int cpuIndex() const { return m_cpu; }
    int formIndex() const { return m_form; }

    void selectLanguage(int index);
    /// The user picked a type: its CPU list, first CPU version, its form list, first form.
    void selectType(int index);
    /// The user picked a CPU version: the form list of (type, CPU version), first form.
    void selectCpu(int index);
    void selectForm(int index);

    /// True when the initial choice came from the detection path (and the [Comms] keys are
    /// written when the choice is recorded).
    bool detectionRan() const { return m_detectionRan; }
    /// Fills the selection and the folders and writes the choice to the settings file.
    DriveSelection record();

    /// Messages of the start-up window, read by key before the message table exists.
    QString message(int number) const;

private:
    void readMessages();
    void fillCpuList();
    void fillFormList(const QString &cpuVersion);
    void chooseRemembered(Prompter &prompter);
    void chooseDetected(Prompter &prompter);
    void identifyFound(SerialPort &port, const CommScan::Result &found, Prompter &prompter);

    Settings &m_settings;
    AppFolders &m_folders;
    InverterCatalog m_catalog;
    QStringList m_languages;
    QStringList m_typeNumbers;
    QStringList m_cpuVersions;
    QStringList m_cpuNumbers;
    QStringList m_forms;
    QStringList m_formNumbers;
    QStringList m_messageTexts;
    int m_language = 0;
    int m_type = -1;
    int m_cpu = -1;
    int m_form = -1;
    bool m_detectionRan = false;
    int m_foundPort = 0;
    int m_protocol = 0;
    int m_baudrate = 3;
    int m_parity = 1;
    SerialPort *m_detectionPort = nullptr;
    CommScan::Progress m_scanProgress;
};
