// Pictures of every configuration page in every shipped language, for a
// person to look at: skipped unless YKT_SCREENSHOT_DIR names a folder, e.g.
//   YKT_SCREENSHOT_DIR=/tmp/shots build/bin/ykt_app_tests --gtest_filter='Screenshots*'

#include "wizard/wizardtab.h"

#include <QFile>
#include <QTest>

#include "pagerig.h"

namespace ykt::testing {
namespace {

TEST(Screenshots, EveryPageInEveryLanguage)
{
    const QString folder = qEnvironmentVariable("YKT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "YKT_SCREENSHOT_DIR not set";
    PageRig rig(QString(), "[Settings]\r\nPSTN=1\r\n");
    QFile shipped(QStringLiteral(YKT_DATA_DIR "/comps.txt"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    rig.writeFile(QStringLiteral("comps.txt"), shipped.readAll());
    ASSERT_TRUE(rig.ready());
    rig.form->OpenConfigurationPages();
    for (const char *language : {"English", "Russian", "Lithuanian"}) {
        rig.form->SelectLanguage(language, true);
        for (const TConfigPage *page : rig.form->configPages()) {
            rig.form->GoToPage(page->pageIndex());
            QTest::qWait(30);
            const QString name = QStringLiteral("%1/%2-%3.png")
                                     .arg(folder, QLatin1String(language))
                                     .arg(page->pageIndex());
            EXPECT_TRUE(rig.form->grab().save(name)) << name.toStdString();
        }
    }
}

} // namespace
} // namespace ykt::testing
