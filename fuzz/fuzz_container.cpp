// libFuzzer target: the bytes of a template (*.tpl) or event log (*.ykl) file
// through the enciphered text container: deciphered with either passphrase,
// split into lines, and the container's round trips.

#include "fuzz/fuzzsupport.h"
#include "templates/encipheredtext.h"

using ykt::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ykt;
    const QByteArray file = fuzz::bytesOf(data, size);

    for (const char *passphrase : {kTemplatePassphrase, kEventLogPassphrase}) {
        const QByteArray plain = decipherText(file, passphrase);
        // The file is the text, byte for byte.
        check(plain.size() == file.size());
        check(encipherText(plain, passphrase) == file);

        const QList<QByteArray> lines = splitLines(plain);
        qsizetype kept = 0;
        for (const QByteArray &line : lines) {
            check(!line.contains('\r') && !line.contains('\n') && !line.contains('\0'));
            kept += line.size();
        }
        check(kept <= plain.size());
        // Lines read back are written back as the same lines.
        check(decipherLines(encipherLines(lines, passphrase), passphrase) == lines);
    }
    return 0;
}
