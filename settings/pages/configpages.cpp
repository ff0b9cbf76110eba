#include "settings/pages/configpages.h"

#include "settings/pages/advancedpage.h"
#include "settings/pages/configpage.h"
#include "settings/pages/gprspage.h"
#include "settings/pages/modempage.h"
#include "settings/pages/securitypage.h"
#include "settings/pages/userspage.h"

namespace ykt {

QList<TConfigPage *> createConfigPages(PageHost &host, const PageResources &resources)
{
    Q_UNUSED(resources);
    QList<TConfigPage *> pages;
    pages.append(new TUsersPage(host));
    pages.append(new TGprsPage(host, resources.apnList));
    pages.append(new TSecurityPage(host));
    pages.append(new TGsmModemPage(host));
    pages.append(new TAdvancedPage(host));
    return pages;
}

} // namespace ykt
