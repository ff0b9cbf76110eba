#pragma once

// The one place that creates the configuration pages.

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace ykt {

class PageHost;
class TConfigPage;
struct TAPNItem;
using TAPNList = QList<TAPNItem>;
struct TCIDDescription;
using TCIDDescriptions = QList<TCIDDescription>;

// What the pages take from the window beyond the host: reference data that
// the window loads once and keeps for the whole run.
struct PageResources
{
    const TAPNList *apnList = nullptr;
    // The Contact ID event table, refilled at start-up.
    const TCIDDescriptions *cidDescriptions = nullptr;
    // "Edit SMS Text": the text given, the text accepted (nothing when
    // cancelled).
    std::function<std::optional<QString>(const QString &)> editSmsText;
};

// Every configuration page the program has, each knowing its page index;
// the caller puts them into their wizard pages and owns them from then on.
QList<TConfigPage *> createConfigPages(PageHost &host, const PageResources &resources);

} // namespace ykt
