// Arbitrary bytes as an INI file (the settings file, Inverter.ini, Info.ini, a language file)
// in both code pages: every section and key read as text, number and flag, then through the
// typed readers on top (Settings, ModelInfo, the language file and its message table), then
// one key written and one section erased and the file read again. Nothing may crash, hang or
// read out of range.
#include "FuzzFile.h"
#include "app/LanguageFile.h"
#include "app/MessageTable.h"
#include "app/Settings.h"
#include "base/IniFile.h"
#include "model/ModelInfo.h"

#include <cstddef>
#include <cstdint>

namespace {

void readEverything(const IniFile &ini)
{
    for (const QString &section : ini.sections()) {
        ini.hasSection(section);
        for (const QString &key : ini.keys(section)) {
            ini.readString(section, key);
            ini.readInt(section, key, -1);
            ini.readBool(section, key, false);
        }
    }
}

void typedReaders(const QString &path, CodePage page)
{
    MessageTable messages;
    messages.load(IniFile(path, page));
    for (int k = -1; k <= messages.count(); ++k)
        messages.text(k);
    messages.caption();

    LanguageFile language;
    language.open(path, page == CodePage::ShiftJis ? QStringLiteral("Japanese") : QStringLiteral("English"));
    language.text(QStringLiteral("Main"), QStringLiteral("ToolB3"), QStringLiteral("Open"));

    const ModelInfo info(path, page);
    info.type();
    info.cpu();
    info.disp();
    info.quick();
    info.mldFilter();
    info.mldId();
    info.specialSetup();
    info.option(1);
    info.unit();
    for (const QString &comNo : info.dispCvKeys())
        info.dispCv(comNo);
}

void settings(const QString &path)
{
    const Settings s(path, QStringLiteral("/app"));
    for (const QString &language : s.languages())
        s.decimalComma(language);
    for (int channel = 0; channel <= 11; ++channel) {
        s.monitorItem(channel);
        s.monitorUnit(channel);
        s.monitorMultiplier(channel);
        s.monitorOffset(channel);
        s.monitorColor(channel);
        s.monitorSelected(channel);
    }
    s.get(Keys::LangNo);
    s.get(Keys::InvType);
    s.get(Keys::CheckInvAtStart);
    s.get(Keys::SavePath);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), qsizetype(size));
    for (CodePage page : {CodePage::Windows1252, CodePage::ShiftJis}) {
        const QString path = FuzzFile::write(QStringLiteral("input.ini"), input);
        readEverything(IniFile(path, page));
        typedReaders(path, page);
        settings(path);
        IniFile ini(path, page);
        const QStringList sections = ini.sections();
        ini.writeString(QStringLiteral("Comms"), QStringLiteral("Baudrate"), QStringLiteral("4"));
        if (!sections.isEmpty())
            ini.eraseSection(sections.first());
        readEverything(IniFile(path, page));
    }
    return 0;
}
