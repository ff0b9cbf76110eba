#pragma once

// The one place that creates the configuration pages.

#include <QList>

namespace ykt {

class PageHost;
class TConfigPage;
struct TAPNItem;
using TAPNList = QList<TAPNItem>;

// What the pages take from the window beyond the host: reference data that
// the window loads once and keeps for the whole run.
struct PageResources
{
    const TAPNList *apnList = nullptr;
};

// Every configuration page the program has, each knowing its page index;
// the caller puts them into their wizard pages and owns them from then on.
QList<TConfigPage *> createConfigPages(PageHost &host, const PageResources &resources);

} // namespace ykt
