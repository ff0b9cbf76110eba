#pragma once

// The texts the factory default writes (input SMS texts, additional texts,
// item names, SMS phrases) come from the messages of the program's first
// language, English, in the language file beside the program. Without a
// usable file the tool falls back to built-in English texts.

#include "localization/languagefile.h"
#include "texts/examplesms.h"

#include <QString>

#include <memory>

namespace ykt {

struct DefaultTexts
{
    MessageText message;                 // message number -> 8-bit text
    int conversionType = 0;              // module character set of that language
    bool builtIn = false;                // the language file was missing or unusable
    QString note;                        // why the built-in texts are used; empty otherwise
    QByteArray languageName = "English"; // the language the texts are in
    // Every language of the file (empty when built in).
    std::shared_ptr<const TKalbos> table = std::make_shared<TKalbos>();
};

// From folder/comps.txt, or built in.
DefaultTexts loadDefaultTexts(const QString &folder);

// The built-in English messages the factory default uses; empty for others.
QByteArray builtInEnglishMessage(int number);

} // namespace ykt
