#include "settings/pages/configpages.h"

#include "settings/pages/advancedpage.h"
#include "settings/pages/configpage.h"
#include "settings/pages/gprspage.h"
#include "settings/pages/inputspage.h"
#include "settings/pages/modempage.h"
#include "settings/pages/outputspage.h"
#include "settings/pages/phrasespage.h"
#include "settings/pages/remotecontrolpage.h"
#include "settings/pages/securitypage.h"
#include "settings/pages/summarypage.h"
#include "settings/pages/userspage.h"
#include "settings/pages/zonevoicepage.h"

namespace ykt {

QList<TConfigPage *> createConfigPages(PageHost &host, const PageResources &resources)
{
    Q_UNUSED(resources);
    QList<TConfigPage *> pages;
    pages.append(new TUsersPage(host));
    pages.append(new TGprsPage(host, resources.apnList));
    pages.append(new TInputsPage(host, resources.cidDescriptions, resources.editSmsText));
    pages.append(new TPhrasesPage(host));
    pages.append(new TSecurityPage(host));
    pages.append(new TGsmModemPage(host));
    pages.append(new TAdvancedPage(host));
    auto *outputs = new TOutputsPage(host);
    pages.append(outputs);
    pages.append(new TRemoteControlPage(host, *outputs));
    pages.append(new TZoneVoicePage(host));
    pages.append(new TSummaryPage(host));
    return pages;
}

} // namespace ykt
