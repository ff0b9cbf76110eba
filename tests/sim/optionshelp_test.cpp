// The help of both programs lists every key of the virtual module's spec, and
// nothing the parser would refuse.

#include "app/transportoption.h"
#include "sim/options.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace ykt;

TEST(SimulateHelp, ListsExactlyTheKeysTheParserTakes)
{
    const QString help = transportOptionsHelp();
    const QStringList keys = sim::optionKeys();
    ASSERT_FALSE(keys.isEmpty());
    for (const QString &key : keys) {
        EXPECT_TRUE(help.contains(QStringLiteral(" %1=").arg(key))) << key.toStdString();
        // Every listed key is one the parser knows.
        QString error;
        sim::parseOptions(key + QStringLiteral("=x"), &error);
        EXPECT_FALSE(error.startsWith(QStringLiteral("unknown option"))) << error.toStdString();
    }

    // And the help names no key beyond them.
    QSet<QString> listed;
    const QRegularExpression word(QStringLiteral("\\b([a-z]+)=[A-Z0-9]"));
    for (auto it = word.globalMatch(help); it.hasNext();)
        listed.insert(it.next().captured(1));
    EXPECT_EQ(listed, QSet<QString>(keys.cbegin(), keys.cend()));
}
