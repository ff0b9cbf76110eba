#pragma once

// The configuration pages of the wizard, in their order. The page index is
// the position in the list and the Tag of the page's step label; a page's
// title and its step label's caption are the same message, the subtitle a
// second one.

#include <QString>

#include <array>

namespace ykt {

enum PageIndex
{
    UsersPageIndex = 0,
    GprsPageIndex = 1,
    InputsPageIndex = 2,
    OutputsPageIndex = 3,
    OutputsControlPageIndex = 4,
    SecurityPageIndex = 5,
    GsmModemPageIndex = 6,
    AdvancedPageIndex = 7,
    PhrasesPageIndex = 8,
    ZoneVoicePageIndex = 9,
    SummaryPageIndex = 10,
    ConfigurationPageCount = 11
};

struct ConfigurationPage
{
    const char *name;         // WPage1 ...
    const char *defaultTitle; // before any language is applied
    int titleMessage;
    int subtitleMessage;
};

inline constexpr std::array<ConfigurationPage, ConfigurationPageCount> ConfigurationPages = {{
    {"WPage1", "Users", 55, 56},
    {"WPage2", "GPRS Reporting", 57, 58},
    {"WPage3", "Inputs", 59, 60},
    {"WPage4", "Outputs", 61, 62},
    {"WPage5", "Outputs control from distance", 63, 64},
    {"WPage6", "Security settings", 65, 66},
    {"WPage7", "GSM Modem Settings", 67, 68},
    {"WPage11", "Advanced settings", 147, 148},
    {"WPage8", "Phrases", 90, 91},
    {"WPage10", "Zone voice indexes", 149, 150},
    {"WPage9", "Summary", 69, 70},
}};

// The step label of a page is "Step" and the number at the page's position in
// 0, 1, 2, 3, 4, 5, 6, 10, 7, 9, 8; an index outside the list has none (empty).
inline QString stepLabelName(int pageIndex)
{
    static constexpr int Numbers[ConfigurationPageCount] = {0, 1, 2, 3, 4, 5, 6, 10, 7, 9, 8};
    if (pageIndex < 0 || pageIndex >= ConfigurationPageCount)
        return QString();
    return QStringLiteral("Step") + QString::number(Numbers[pageIndex]);
}

} // namespace ykt
