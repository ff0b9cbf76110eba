// libFuzzer target: the plain text of a template through the template loader
// (lines to settings model) for a firmware without and one with encryption,
// the listing in words, and the saver: a template saved from what was loaded
// loads without errors and saves to the same lines again.

#include "fuzz/fuzzsupport.h"
#include "templates/encipheredtext.h"
#include "templates/templatecodec.h"
#include "templates/templatesettings.h"

using ykt::fuzz::check;

namespace {

using namespace ykt;

QStringList namesOf(const QList<NamedSetting> &settings)
{
    QStringList names;
    for (const NamedSetting &s : settings)
        names.append(s.name);
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList listedNames =
        namesOf(describeTemplate(decodeTemplate({}, SettingsModel(), 4005)));

    const QList<QByteArray> lines = splitLines(fuzz::bytesOf(data, size));
    for (const int firmware : {1133, 4005}) {
        const DecodedTemplate loaded = decodeTemplate(lines, SettingsModel(), firmware);
        check(namesOf(describeTemplate(loaded)) == listedNames);

        TemplateContext context;
        context.languageName = loaded.languageName;
        context.firmwareVersion = firmware;
        context.workMode = loaded.workMode;
        const QList<QByteArray> saved = encodeTemplate(loaded.model, context);
        const DecodedTemplate reloaded = decodeTemplate(saved, SettingsModel(), firmware);
        check(reloaded.ok());
        check(encodeTemplate(reloaded.model, context) == saved);
    }
    return 0;
}
