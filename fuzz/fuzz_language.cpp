// libFuzzer target: comps.txt contents through the language file reader, the
// "Comps OK?" comparison, the message lookup and the code pages.

#include "localization/codepages.h"
#include "localization/languagefile.h"
#include "localization/languagestate.h"
#include "localization/languagetools.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ykt;
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    TKalbos table;
    const LanguageFileResult result = ParseLanguageFile(content, table);
    check(result.ok == result.error.isEmpty());
    check(result.ok == (result.badLine == 0));
    if (!result.ok)
        check(result.error == QString::number(result.badLine) + QLatin1String(kBadLineText));

    for (const tkalba &l : table) {
        check(l.name.size() <= kLanguageNameLength);
        for (const tforma &form : l.forms) {
            check(!form.name.isEmpty() && form.name.size() <= kComponentNameLength);
            check(form.caption.size() <= kCaptionLength);
            for (const tkomponentas &c : form.components) {
                check(!c.name.isEmpty() && c.name.size() <= kComponentNameLength);
                check(!c.className.isEmpty() && c.className.size() <= kComponentNameLength);
                SplitItems(c.text1);
                SplitItems(c.text2);
            }
        }
        for (const tsoobshenije &m : l.messages)
            check(!m.isEmpty() && !m.contains('\t'));
    }

    const QList<LanguageCheckReport> reports = CheckLanguageFile(table);
    check(!reports.isEmpty() && reports.last().text == kCheckDoneText);

    LanguageState state;
    state.setTable(table);
    for (int i = 0; i < table.size(); ++i) {
        state.makeCurrent(i);
        const int count = int(table.at(i).messages.size());
        check(state.Message(0).isEmpty() && state.Message(count + 1).isEmpty());
        if (count > 0)
            check(state.MessageW(count).size() == state.Message(count).size());
    }

    // Every byte maps to one character and back to itself in every code page.
    for (CodePage page : {CodePage::Windows1250, CodePage::Windows1251, CodePage::Windows1252,
                          CodePage::Windows1253, CodePage::Windows1254, CodePage::Windows1257,
                          CodePage::Windows1258}) {
        const QString text = ToUnicode(content, page);
        check(text.size() == content.size());
        check(FromUnicode(text, page) == content);
    }
    return 0;
}
