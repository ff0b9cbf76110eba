// The real window with the language file and the Contact ID list it ships
// with: it starts in English with every message there, and the other
// languages show their own letters.

#include "windowrig.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace ykt;
using namespace ykt::testing;

namespace {

void copyShipped(const WindowRig &rig, const char *name)
{
    // In place of the rig's minimal files, before the language is loaded.
    const QString from = QDir(QStringLiteral(YKT_DATA_DIR)).filePath(QLatin1String(name));
    QFile::remove(rig.path(QLatin1String(name)));
    ASSERT_TRUE(QFile::copy(from, rig.path(QLatin1String(name)))) << name;
}

} // namespace

TEST(ShippedLanguages, WindowStartsInEnglishAndSwitches)
{
    WindowRig rig(QStringLiteral("plugged=0"));
    copyShipped(rig, "comps.txt");
    copyShipped(rig, "CID_Descriptions.txt");
    TForm1 &f = *rig.form;
    auto *list = f.findChild<QComboBox *>(QStringLiteral("ComboBox28"));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(waitFor([&] { return list->count() == 3; }));
    EXPECT_FALSE(rig.terminated);
    EXPECT_TRUE(rig.scripted.boxes.isEmpty()); // no file was missing or bad
    EXPECT_EQ(list->currentText(), QStringLiteral("English"));
    EXPECT_TRUE(f.windowTitle().endsWith(QStringLiteral(" v.3.10")));
    for (int n = 1; n <= 155; ++n)
        EXPECT_FALSE(f.Message(n).isEmpty()) << n;
    EXPECT_EQ(f.statusCaption()->text(), f.MessageW(25));

    auto *manual = f.findChild<QPushButton *>(QStringLiteral("TntButton30"));
    ASSERT_NE(manual, nullptr);
    const QString english = manual->text();
    list->setCurrentIndex(list->findText(QStringLiteral("Russian")));
    ASSERT_TRUE(waitFor([&] { return manual->text() != english; }));
    const QString russian = manual->text();
    EXPECT_TRUE(std::any_of(russian.begin(), russian.end(), [](QChar c) {
        return c.script() == QChar::Script_Cyrillic;
    })) << russian.toStdString();

    list->setCurrentIndex(list->findText(QStringLiteral("Lithuanian")));
    ASSERT_TRUE(waitFor([&] { return !manual->text().contains(QChar(0x0420)); }));
    const QString lithuanian = f.findChild<QPushButton *>(QStringLiteral("TntButton27"))->text();
    EXPECT_TRUE(lithuanian.contains(QChar(0x012E)) || lithuanian.contains(QChar(0x0161)) ||
                lithuanian.contains(QChar(0x0117)))
        << lithuanian.toStdString(); // "Įkelti šabloną"
}
