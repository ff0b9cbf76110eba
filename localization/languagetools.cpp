#include "localization/languagetools.h"

#include "util/savefile.h"

#include <QDir>

#include <algorithm>

namespace ykt {

namespace {

bool hasCaptionAndHint(const QByteArray &className)
{
    static const char *const classes[] = {"TRadioButton", "TToolButton", "TSpeedButton",
                                          "TPanel",       "TGroupBox",   "TLabel",
                                          "TCheckBox",    "TButton",     "TLabeledEdit"};
    return std::any_of(std::begin(classes), std::end(classes),
                       [&](const char *c) { return className == c; });
}

QByteArray joinedItems(const QList<QByteArray> &items)
{
    QByteArray text;
    for (const QByteArray &item : items)
        text += item + '\t';
    return text;
}

} // namespace

QList<QByteArray> LanguageTemplateLines(qint32 smsTable, const QList<TemplateWindow> &windows)
{
    QList<QByteArray> lines;
    lines.append("%Lithuania\t186\t" + QByteArray::number(smsTable));
    for (const TemplateWindow &window : windows) {
        if (window.name.isEmpty())
            continue;
        lines.append('=' + window.name + '\t' + window.caption);
        for (const TemplateControl &c : window.controls) {
            QByteArray texts;
            if (hasCaptionAndHint(c.className)) {
                if (c.caption.isEmpty())
                    continue;
                texts = c.caption + '\t' + c.hint;
            } else if (c.className == "TRadioGroup") {
                if (c.caption.isEmpty())
                    continue;
                texts = c.caption + '\t' + joinedItems(c.items);
            } else if (c.className == "TComboBox") {
                texts = joinedItems(c.items);
                if (texts.isEmpty())
                    continue;
            } else {
                continue;
            }
            lines.append('&' + c.name + '\t' + c.className + '\t' + texts);
        }
    }
    return lines;
}

bool WriteLanguageTemplate(const QList<QByteArray> &lines, const QString &folder, QString *error)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return saveFileAtomically(QDir(folder).filePath(QLatin1String(kLanguageTemplateFileName)), text,
                              error);
}

QList<LanguageCheckReport> CheckLanguageFile(const TKalbos &table)
{
    qsizetype windows = 0;
    qsizetype messages = 0;
    qsizetype controls[kCheckedWindowPositions] = {};
    for (const tkalba &language : table) {
        if (windows == 0)
            windows = language.forms.size();
        if (messages == 0)
            messages = language.messages.size();
        const qsizetype positions =
            std::min<qsizetype>(language.forms.size(), kCheckedWindowPositions);
        for (qsizetype j = 0; j < positions; ++j)
            if (controls[j] == 0)
                controls[j] = language.forms.at(j).components.size();
    }

    QList<LanguageCheckReport> reports;
    for (int i = 0; i < table.size(); ++i) {
        const tkalba &language = table.at(i);
        if (language.forms.size() != windows)
            reports.append({language.name + " turi skirtinga kieki formu", i});
        const qsizetype positions =
            std::min<qsizetype>(language.forms.size(), kCheckedWindowPositions);
        for (qsizetype j = 0; j < positions; ++j) {
            const tforma &form = language.forms.at(j);
            if (form.components.size() != controls[j])
                reports.append({form.name + " turi skirtinga kieki komponentu", i});
        }
        if (language.messages.size() != messages)
            reports.append({language.name + " turi skirtinga kieki zinuciu", i});
    }
    reports.append({kCheckDoneText, -1});
    return reports;
}

} // namespace ykt
