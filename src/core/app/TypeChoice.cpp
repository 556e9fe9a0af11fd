#include "TypeChoice.h"

#include "AppFolders.h"
#include "DetectedDrive.h"
#include "Settings.h"
#include "base/IniFile.h"
#include "base/Prompter.h"
#include "comm/CommPort.h"
#include "comm/DetectExchange.h"
#include "comm/PosixSerialPort.h"

namespace {

// Message numbers of the start-up window and their defaults.
struct StartMessage {
    int number;
    const char *def;
};
// The start-up search looks at the first seven candidate ports only.
constexpr int StartUpPorts = 7;

constexpr StartMessage StartMessages[] = {
    {1, "Confirmation"},
    {3, "Usable serial port is not found."},
    {86, "VKR410T is closed."},
    {93, "Not found the Last Inverter data file."},
    {94, "Not found Inverter data file."},
};

}  // namespace

TypeChoice::TypeChoice(Settings &settings, AppFolders &folders)
    : m_settings(settings)
    , m_folders(folders)
{
}

QString TypeChoice::message(int number) const
{
    for (size_t i = 0; i < std::size(StartMessages); ++i) {
        if (StartMessages[i].number == number)
            return m_messageTexts.value(int(i), QString::fromLatin1(StartMessages[i].def));
    }
    return QString();
}

void TypeChoice::readMessages()
{
    const QString language = m_languages.value(m_language);
    const IniFile ini(m_folders.languageFile(language), CodePages::forLanguage(language));
    m_messageTexts.clear();
    for (const StartMessage &m : StartMessages)
        m_messageTexts.append(ini.readString(QStringLiteral("General"), QStringLiteral("Message%1").arg(m.number),
                                             QString::fromLatin1(m.def)));
}

bool TypeChoice::build(bool startUp, Prompter &prompter)
{
    m_languages = m_settings.languages();
    const int checkLang = m_settings.get(Keys::CheckLangAtStart);
    m_language = m_settings.get(Keys::LangNo);
    if ((!startUp && checkLang < 1) || checkLang == 999 || m_language < 0 || m_language >= m_languages.size())
        m_language = 0;
    readMessages();

    m_folders.setAppFolder(m_folders.appFolder, m_settings.get(Keys::DF));
    m_catalog.scan(m_folders.dataFolder, m_folders.catalogFile());
    if (m_catalog.types().isEmpty()) {
        prompter.warn(message(94) + QLatin1Char('\n') + message(86), message(1));
        prompter.pump();
        return false;
    }
    m_typeNumbers.clear();
    for (const QString &type : m_catalog.types())
        m_typeNumbers.append(m_catalog.typeNumber(type));
    selectType(0);

    const bool remembered = m_settings.get(Keys::CheckInvAtStart) && m_settings.get(Keys::InvTypeNo) != 999
        && m_settings.get(Keys::InvFormNo) != 999 && m_settings.get(Keys::InvCpuNo) != 999;
    if (remembered)
        chooseRemembered(prompter);
    else
        chooseDetected(prompter);
    return true;
}

void TypeChoice::chooseRemembered(Prompter &prompter)
{
    const QString type = m_settings.get(Keys::InvType);
    const QString form = m_settings.get(Keys::InvForm);
    const QString cpu = m_settings.get(Keys::InvCpu);
    if (type.isEmpty() || form.isEmpty() || cpu.isEmpty())
        return;
    const int typeIndex = int(types().indexOf(type));
    if (typeIndex >= 0) {
        selectType(typeIndex);
        const int cpuIndex = int(m_cpuVersions.indexOf(cpu));
        if (cpuIndex >= 0) {
            selectCpu(cpuIndex);
            const int formIndex = int(m_forms.indexOf(form));
            if (formIndex >= 0) {
                selectForm(formIndex);
                return;
            }
        }
    }
    prompter.warn(message(93) + QLatin1Char('\n') + type + QLatin1Char('(') + cpu + QLatin1Char(')') + form,
                  message(1));
    prompter.pump();
    selectType(0);
}

void TypeChoice::chooseDetected(Prompter &prompter)
{
    // Until a drive is found: the first entries, and the remembered communication values go
    // back to 9,600 bit/s, even parity, the native protocol.
    m_detectionRan = true;
    m_foundPort = 0;
    m_protocol = 0;
    m_baudrate = 3;
    m_parity = 1;
    selectType(0);

    PosixSerialPort serial;
    SerialPort &line = m_detectionPort ? *m_detectionPort : serial;
    CommPort ports(line);
    const QStringList candidates = CommPort::CandidatePorts(m_settings.get(Keys::PortNames)).mid(0, StartUpPorts);
    if (ports.EnumeratePorts(candidates) == 0) {
        prompter.warn(message(3), message(1));
        prompter.pump();
        return;
    }
    CommSettings settings;
    settings.timeoutMs = CommScan::StartUpTimeoutMs;
    CommScan scan(ports, settings);
    scan.setProgress(m_scanProgress);
    const CommScan::Combination remembered{m_settings.get(Keys::Baudrate), m_settings.get(Keys::Parity),
                                           m_settings.get(Keys::Prtocol)};
    const CommScan::Result found = scan.startUpScan(m_settings.get(Keys::CommportAtStart), remembered);
    if (found.found()) {
        m_foundPort = found.portIndex;
        m_protocol = found.protocol;
        m_baudrate = found.baudIndex;
        m_parity = found.parityIndex;
        if (!ports.OpenForDetection(found.portIndex, found.baudIndex, found.parityIndex))
            identifyFound(line, found, prompter);
    }
    ports.ClosePort();
}

void TypeChoice::identifyFound(SerialPort &port, const CommScan::Result &found, Prompter &prompter)
{
    CommSettings settings;
    settings.baudIndex = found.baudIndex;
    settings.parityIndex = found.parityIndex;
    settings.updateGap();
    settings.timeoutMs = CommScan::StartUpTimeoutMs;
    DetectExchange detect(port, settings, DetectExchange::Variant::StartUp);
    const bool modbus = found.protocol == CommSettings::Modbus;
    const auto read = [&](const QString &comNo) -> std::optional<int> {
        bool failed = false;
        const uint16_t value = detect.exchange(comNo, QString(), failed, modbus, 'R');
        return failed ? std::nullopt : std::optional<int>(value);
    };
    const auto write = [&](const QString &comNo, const QString &data) {
        bool failed = false;
        detect.exchange(comNo, data, failed, modbus, 'P');
    };
    const DetectedDrive::Choice choice = DetectedDrive(m_catalog, m_typeNumbers).identify(read, write);
    if (!choice.unknownDrive.isEmpty()) {
        prompter.warn(message(94) + QLatin1Char('\n') + choice.unknownDrive, message(1));
        prompter.pump();
    }
    if (!choice.complete())
        return;
    selectType(choice.type);
    selectCpu(choice.cpu);
    selectForm(choice.form);
}

void TypeChoice::selectLanguage(int index)
{
    if (index >= 0 && index < m_languages.size())
        m_language = index;
}

void TypeChoice::selectType(int index)
{
    if (index < 0 || index >= types().size())
        return;
    m_type = index;
    fillCpuList();
    m_cpu = m_cpuVersions.isEmpty() ? -1 : 0;
    fillFormList(m_cpuVersions.value(0));
}

void TypeChoice::selectCpu(int index)
{
    if (index < 0 || index >= m_cpuVersions.size())
        return;
    m_cpu = index;
    fillFormList(m_cpuVersions.at(index));
}

void TypeChoice::selectForm(int index)
{
    if (index >= 0 && index < m_forms.size())
        m_form = index;
}

void TypeChoice::fillCpuList()
{
    const QString type = types().value(m_type);
    m_cpuVersions = m_catalog.cpuVersions(type);
    m_cpuNumbers = m_catalog.cpuNumbers(type);
}

void TypeChoice::fillFormList(const QString &cpuVersion)
{
    const QString type = types().value(m_type);
    m_forms = m_catalog.forms(type, cpuVersion);
    m_formNumbers.clear();
    for (const QString &form : std::as_const(m_forms))
        m_formNumbers.append(m_catalog.formNumber(type, form));
    m_form = m_forms.isEmpty() ? -1 : 0;
}

DriveSelection TypeChoice::record()
{
    DriveSelection s;
    s.languageName = m_languages.value(m_language);
    s.languageIndex = m_language;
    s.languagePrefix = s.languageName.left(3);
    s.typeIndex = m_type;
    s.formIndex = m_form;
    s.cpuIndex = m_cpu;
    s.typeName = types().value(m_type);
    s.formName = m_forms.value(m_form);
    s.cpuVersion = m_cpuVersions.value(m_cpu);
    s.typeNumber = m_typeNumbers.value(m_type);
    s.formNumber = m_formNumbers.value(m_form);
    s.cpuNumber = m_cpuNumbers.value(m_cpu);
    s.decimalComma = m_settings.decimalComma(s.languageName);

    m_settings.set(Keys::LangNo, s.languageIndex);
    m_settings.set(Keys::InvTypeNo, s.typeIndex);
    m_settings.set(Keys::InvFormNo, s.formIndex);
    m_settings.set(Keys::InvCpuNo, s.cpuIndex);
    m_settings.set(Keys::InvType, s.typeName);
    m_settings.set(Keys::InvForm, s.formName);
    m_settings.set(Keys::InvCpu, s.cpuVersion);
    if (m_detectionRan) {
        m_settings.set(Keys::Commport, m_foundPort);
        m_settings.set(Keys::Prtocol, m_protocol);
        m_settings.set(Keys::Baudrate, m_baudrate);
        m_settings.set(Keys::Parity, m_parity);
    }
    m_folders.setModel(s.typeName, s.cpuVersion);
    return s;
}
