#include "cli/defaulttexts.h"

#include "localization/languagefile.h"

#include <QDir>

#include <map>
#include <memory>

namespace ykt {

QByteArray builtInEnglishMessage(int number)
{
    static const std::map<int, QByteArray> texts = {
        {1, "Alarm"},
        {2, "Armed"},
        {3, "Disarmed"},
        {4, "All disarmed"},
        {5, "All calls"},
        {6, "Registered only"},
        {7, "Medical"},
        {8, "Fire"},
        {9, "Panic"},
        {10, "Duress"},
        {11, "Tamper"},
        {12, "AC power lost"},
        {13, "AC power OK"},
        {14, "Low battery"},
        {15, "Tel. Line Loss"},
        {16, "GPRS communication failure"},
        {17, "GPRS statistics:"},
        {19, "Zone"},
        {20, "User"},
        {21, "Module"},
        {22, "Partition"},
        {23, "Input"},
        {143, "3 Wrong PIN"},
        {144, "PGM On"},
        {145, "PGM Off"},
        {146, "Battery OK"},
        {155, "PGM"},
    };
    const auto it = texts.find(number);
    return it == texts.end() ? QByteArray() : it->second;
}

DefaultTexts loadDefaultTexts(const QString &folder)
{
    DefaultTexts out;
    const QString path = QDir(folder).filePath(QLatin1String(kLanguageFileName));
    auto table = std::make_shared<TKalbos>();
    const LanguageFileResult result = LoadLanguageFile(path, *table);
    // A file cut short by a bad line still holds the languages before it.
    if (!table->isEmpty() && !table->first().messages.isEmpty()) {
        out.conversionType = table->first().smsTable;
        out.languageName = table->first().name;
        out.table = table;
        out.message = [table](int n) {
            const QList<tsoobshenije> &messages = table->first().messages;
            return n >= 1 && n <= messages.size() ? messages.at(n - 1) : QByteArray();
        };
        return out;
    }
    out.builtIn = true;
    out.note = result.ok ? QStringLiteral("%1 holds no messages").arg(path) : result.error;
    out.message = builtInEnglishMessage;
    return out;
}

} // namespace ykt
