// libFuzzer target: Settings.ini contents through the INI reader, the start-up
// keys, and the writer: a value set is read back as set, the other keys and
// every line that is not touched keep what they were.

#include "app/settingsini.h"
#include "fuzz/fuzzsupport.h"

using ykt::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ykt;
    const QByteArray content = fuzz::bytesOf(data, size);
    const IniFile ini = IniFile::fromBytes(content);
    const StartupSettings settings = readStartupSettings(ini);
    check(settings.serviceMode == (settings.code == ServiceModeCode));

    // Saved as it was read, the file means the same.
    const QByteArray saved = ini.toBytes();
    const IniFile again = IniFile::fromBytes(saved);
    check(again.toBytes() == saved);
    const StartupSettings reread = readStartupSettings(again);
    check(reread.code == settings.code && reread.pstnBoxes == settings.pstnBoxes &&
          reread.language == settings.language);
    for (int k = 0; k < 4; ++k)
        check(reread.phoneNumbers[k] == settings.phoneNumbers[k]);

    // The program writes the language and the test numbers; a value taken
    // from the file itself stands for whatever the user typed. It reads back
    // as stored: line breaks become blanks, blanks at both ends go.
    const auto stored = [](QByteArray text) {
        return text.replace('\r', ' ').replace('\n', ' ').trimmed();
    };
    const QByteArray typed = content.left(64);
    IniFile written = ini;
    written.setValue(kSettingsSection, "Language", typed);
    written.setValue(kSettingsSection, "PhoneNumber2", settings.phoneNumbers[0]);
    const IniFile back = IniFile::fromBytes(written.toBytes());
    check(back.value(kSettingsSection, "Language") == stored(typed));
    check(back.value(kSettingsSection, "PhoneNumber2") == stored(settings.phoneNumbers[0]));
    check(back.value(kSettingsSection, "Code") == ini.value(kSettingsSection, "Code"));
    return 0;
}
