#include "settings/pages/configpages.h"

#include "settings/pages/configpage.h"
#include "settings/pages/userspage.h"

namespace ykt {

QList<TConfigPage *> createConfigPages(PageHost &host, const PageResources &resources)
{
    Q_UNUSED(resources);
    QList<TConfigPage *> pages;
    pages.append(new TUsersPage(host));
    return pages;
}

} // namespace ykt
