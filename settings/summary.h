#pragma once

// The settings summary: every setting that matters, section by section, as
// a list of styled pieces built from the settings model. The window shows
// it on the Summary page and prints it; ykt4m-cli prints it as text or PDF.
//
// The captions are those of the controls the settings are edited with, so
// the summary speaks the current language: the window answers them from its
// live controls, the command line from the language file.

#include "refdata/ciddescriptions.h"
#include "settings/registers.h"
#include "settings/settingsmodel.h"

#include <QList>
#include <QString>

namespace ykt {

struct tkalba;

struct SummaryPiece
{
    enum class Kind
    {
        Heading,   // a new line, the text underlined
        Label,     // a new line, the text bold
        BlueLine,  // a new line, the text plain and blue
        Value,     // the text plain, at the end of the current line
        PlainLine, // a new line holding the text, plain
        BlankLine, // a new line holding one blank
        Separator, // a line of 114 "_", then a blank line
    };
    Kind kind = Kind::PlainLine;
    QString text;

    bool operator==(const SummaryPiece &o) const { return kind == o.kind && text == o.text; }
};
using Summary = QList<SummaryPiece>;

// The texts of the current language the summary is written in.
class SummaryTexts
{
public:
    virtual ~SummaryTexts() = default;
    // The caption of a control (a label, box, button or group); fallback
    // when the language has none for it.
    virtual QString caption(const char *component, const char *fallback) const = 0;
    // Entry index of a choice list; fallback when there is none.
    virtual QString item(const char *component, int index, const char *fallback) const = 0;
    // Message n as display text; empty when there is none.
    virtual QString message(int number) const = 0;
    // A text the settings keep as 8-bit text, in the language's code page.
    virtual QString text(const QByteArray &bytes) const = 0;
};

// The texts of one language of the language file.
class LanguageSummaryTexts : public SummaryTexts
{
public:
    explicit LanguageSummaryTexts(const tkalba &language);
    QString caption(const char *component, const char *fallback) const override;
    QString item(const char *component, int index, const char *fallback) const override;
    QString message(int number) const override;
    QString text(const QByteArray &bytes) const override;

private:
    const tkalba &m_language;
};

// What the summary needs besides the model.
struct SummaryContext
{
    WorkMode workMode = WorkMode::Communicator;
    bool basicModel = false; // no outputs
    bool ykt3Type = false;   // outputs 3 and 4 are relays
    bool relayLess = false;  // outputs 3 and 4 do not exist
    bool settingsLocked = false;
    int firmwareVersion = 1133;
    // The Contact ID events the inputs report; none: no event names.
    const TCIDDescriptions *events = nullptr;
};

Summary buildSummary(const SettingsModel &model, const SummaryContext &context,
                     const SummaryTexts &texts);

// The separator's line of "_".
inline constexpr int SummarySeparatorLength = 114;

// The summary as text: one line per line, TABs kept, the separators as
// their "_" line.
QString summaryPlainText(const Summary &summary);

// Message 83 to 85 after the hours, minutes and seconds of a time of day:
// " 1 h 5 s"; seconds are always there, hours and minutes only when not 0.
QString summaryDuration(int seconds, const SummaryTexts &texts);

} // namespace ykt
