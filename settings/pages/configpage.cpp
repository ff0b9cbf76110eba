#include "settings/pages/configpage.h"

namespace ykt {

TConfigPage::TConfigPage(PageHost &host, int pageIndex, QWidget *parent)
    : QWidget(parent), m_host(host), m_pageIndex(pageIndex)
{}

} // namespace ykt
