// libFuzzer target: a voice phrase file through the line rules and the
// phrase menu built from it.

#include "refdata/voicephrases.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    const QList<ykt::TVoicePhrase> phrases = ykt::ParseVoicePhrases(content);
    for (const ykt::TVoicePhrase &p : phrases) {
        if (p.Number < ykt::kVoicePhraseLowest)
            __builtin_trap();
    }
    const ykt::TPhraseMenu menu = ykt::BuildPhraseMenu("none", phrases);
    QByteArray caption;
    if (!phrases.isEmpty() && !ykt::FindPhraseCaption(menu, phrases.first().Number, caption))
        __builtin_trap();
    return 0;
}
