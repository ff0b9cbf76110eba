// The real window with the language file and the Contact ID list it ships
// with: it starts in English with every message there, and the other
// languages show their own letters.

#include "windowrig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace ykt;
using namespace ykt::testing;

namespace {

bool hasCyrillic(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

// The caption of a Users-page control that the language file names.
QString captionOf(const QObject *o)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(o))
        return button->text();
    if (const auto *label = qobject_cast<const QLabel *>(o))
        return label->text();
    if (const auto *box = qobject_cast<const QGroupBox *>(o))
        return box->title();
    return QString();
}

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

} // namespace

TEST(ShippedLanguages, WindowStartsInEnglishAndSwitches)
{
    WindowRig rig(QStringLiteral("plugged=0"));
    rig.copyShipped("comps.txt");
    rig.copyShipped("CID_Descriptions.txt");
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

TEST(ShippedLanguages, UsersPageFollowsTheLanguage)
{
    WindowRig rig(QStringLiteral("plugged=0"));
    rig.copyShipped("comps.txt");
    rig.copyShipped("CID_Descriptions.txt");
    TForm1 &f = *rig.form;
    auto *list = f.findChild<QComboBox *>(QStringLiteral("ComboBox28"));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(waitFor([&] { return list->count() == 3; }));
    ASSERT_EQ(list->currentText(), QStringLiteral("English"));

    // Every captioned control of the page, with its English caption.
    QWidget *page = f.findChild<QWidget *>(QStringLiteral("UsersPage"));
    ASSERT_NE(page, nullptr);
    QList<std::pair<QObject *, QString>> captioned;
    for (QObject *o : page->findChildren<QObject *>()) {
        const QString caption = captionOf(o);
        if (!o->objectName().isEmpty() && !caption.isEmpty() && caption != QLatin1String("!"))
            captioned.append({o, caption});
    }
    EXPECT_GE(captioned.size(), 27);
    auto *smartphone = f.findChild<QComboBox *>(QStringLiteral("TntComboBox17"));
    auto *alarmSms = f.findChild<QCheckBox *>(QStringLiteral("TntCheckBox23"));
    auto *clear = f.findChild<QPushButton *>(QStringLiteral("TntButton7"));
    auto *examples = f.findChild<QLabel *>(QStringLiteral("TntLabel9"));
    ASSERT_TRUE(smartphone && alarmSms && clear && examples);
    EXPECT_EQ(itemsOf(smartphone), QStringList({QStringLiteral("No"), QStringLiteral("Android"),
                                                QStringLiteral("iPhone")}));
    smartphone->setCurrentIndex(2); // kept through the new item lists

    const struct
    {
        const char *language;
        QString no, alarmSms, clear;
        std::function<bool(const QString &)> ok; // a caption in this language
    } cases[] = {
        {"Russian", QString::fromUtf8("Нет"), QString::fromUtf8("SMS о тревоге"),
         QString::fromUtf8("Удалить выбранный номер"), hasCyrillic},
        // Lithuanian letters come through Windows-1257.
        {"Lithuanian", QStringLiteral("Ne"), QString::fromUtf8("SMS apie pavojų"),
         QString::fromUtf8("Ištrinti pažymėtą numerį"),
         [](const QString &t) { return !hasCyrillic(t); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        list->setCurrentIndex(list->findText(QLatin1String(c.language)));
        ASSERT_TRUE(waitFor([&] { return clear->text() == c.clear; })) << qPrintable(clear->text());
        EXPECT_EQ(alarmSms->text(), c.alarmSms);
        for (const auto &[o, english] : captioned) {
            const QString shown = captionOf(o);
            EXPECT_NE(shown, english) << qPrintable(o->objectName());
            EXPECT_TRUE(c.ok(shown)) << qPrintable(o->objectName()) << " " << qPrintable(shown);
        }
        EXPECT_EQ(itemsOf(smartphone),
                  QStringList({c.no, QStringLiteral("Android"), QStringLiteral("iPhone")}));
        EXPECT_EQ(smartphone->currentIndex(), 2);
        // The examples hint comes from the messages, after the records.
        EXPECT_TRUE(examples->toolTip().startsWith(f.MessageW(44)))
            << qPrintable(examples->toolTip());
    }
}
