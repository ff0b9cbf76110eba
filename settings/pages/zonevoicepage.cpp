#include "settings/pages/zonevoicepage.h"

#include "refdata/zonevoice.h"
#include "settings/pages/pagehost.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "wizard/pagelist.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace ykt {

namespace {

constexpr int ZoneCount = ZoneVoiceArea::ZoneCount;
constexpr int ZoneNameGroup = 0; // item-name group 1
constexpr int PlaceholderIndent = 43;
const QColor PlaceholderColor(128, 128, 128);
constexpr int SlotRole = Qt::UserRole + 1; // slot 0..7 of a slot entry, -1 for a zone

bool isSlot(const QTreeWidgetItem *item)
{
    return item && item->parent();
}

} // namespace

// Draws an empty slot's placeholder in grey, a little in from the left.
class SlotDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString placeholder;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.parent().isValid() || !index.data(Qt::DisplayRole).toString().isEmpty())
            return;
        painter->save();
        painter->setPen(PlaceholderColor);
        painter->drawText(option.rect.adjusted(PlaceholderIndent, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, placeholder);
        painter->restore();
    }
};

TZoneVoicePage::TZoneVoicePage(PageHost &host, QWidget *parent)
    : TConfigPage(host, ZoneVoicePageIndex, parent)
{
    setObjectName(QStringLiteral("TZoneVoicePage"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    m_languageCaption = new QLabel(QStringLiteral("Uploaded voice language:"));
    m_languageCaption->setObjectName(QStringLiteral("TntLabelVoiceLanguage"));
    m_languageName = new QLabel;
    m_languageName->setObjectName(QStringLiteral("TntLabelVoiceLanguageName"));
    QFont bold = m_languageName->font();
    bold.setBold(true);
    m_languageName->setFont(bold);
    layout->addWidget(m_languageCaption, 0, 0);
    layout->addWidget(m_languageName, 0, 1);
    layout->setColumnStretch(1, 1);

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("ZoneVoiceTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_delegate = new SlotDelegate(m_tree);
    m_tree->setItemDelegate(m_delegate);
    for (int zone = 0; zone < ZoneCount; ++zone) {
        auto *zoneItem = new QTreeWidgetItem(m_tree);
        zoneItem->setData(0, SlotRole, -1);
        for (int slot = 0; slot < ZoneVoiceSlots; ++slot) {
            auto *slotItem = new QTreeWidgetItem(zoneItem);
            slotItem->setData(0, SlotRole, slot);
        }
    }
    layout->addWidget(m_tree, 1, 0, 1, 2);

    m_menuList = new QListWidget(this);
    m_menuList->setObjectName(QStringLiteral("PhraseMenu"));
    m_menuList->setWindowFlags(Qt::Popup);
    m_menuList->hide();
    connect(m_menuList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        m_menuList->hide();
        ChoosePhrase(m_menuList->row(item));
    });
    connect(m_menuList, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        m_menuList->hide();
        ChoosePhrase(m_menuList->row(item));
    });
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { OpenPhraseMenu(m_tree->viewport()->mapToGlobal(pos)); });
    m_tree->viewport()->installEventFilter(this);

    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TZoneVoicePage::onStored);
    RefreshZoneNames();
}

QByteArray &TZoneVoicePage::recordOf(int zone)
{
    QByteArray &record = host().model().zoneVoice.records[size_t(zone)];
    if (record.size() < ZoneVoiceRecordSize)
        record = emptyZoneVoiceRecord(zone);
    return record;
}

// --- Showing ------------------------------------------------------------------------

void TZoneVoicePage::ShowZone(int zone)
{
    if (zone < 0 || zone >= ZoneCount)
        return;
    const QByteArray &record = host().model().zoneVoice.records[size_t(zone)];
    int recordZone = zone;
    ZoneSlots phrases{};
    readZoneVoiceRecord(record, recordZone, phrases); // a record never read: no phrases
    QTreeWidgetItem *zoneItem = m_tree->topLevelItem(zone);
    for (int slot = 0; slot < ZoneVoiceSlots; ++slot)
        zoneItem->child(slot)->setText(
            0, host().ToUnicode(slotCaption(m_menu, phrases[size_t(slot)])));
}

void TZoneVoicePage::RefreshZoneNames()
{
    for (int zone = 0; zone < ZoneCount; ++zone) {
        const QByteArray &name = host().model().texts.itemNames[ZoneNameGroup][size_t(zone)];
        m_tree->topLevelItem(zone)->setText(0, name.isEmpty() ? QString::number(zone + 1)
                                                              : host().ToUnicode(name));
    }
}

void TZoneVoicePage::showLanguageName()
{
    m_languageName->setText(host().ToUnicode(host().model().zoneVoice.languageName));
}

void TZoneVoicePage::Show()
{
    RefreshZoneNames();
    for (int zone = 0; zone < ZoneCount; ++zone)
        ShowZone(zone);
    showLanguageName();
}

void TZoneVoicePage::AfterRead()
{
    RefreshZoneNames();
}

void TZoneVoicePage::onStored(quint8 answerType, int index)
{
    switch (answerType) {
    case SettingsReceiver::ZoneVoiceIndex:
        ShowZone(index);
        break;
    case SettingsReceiver::VoiceLanguageName:
        showLanguageName();
        break;
    case SettingsReceiver::ItemName:
        if (SettingsReceiver::itemNameGroup(index) == ZoneNameGroup + 1) {
            const int zone = SettingsReceiver::itemNamePosition(index);
            if (zone < ZoneCount) {
                const QByteArray &name =
                    host().model().texts.itemNames[ZoneNameGroup][size_t(zone)];
                m_tree->topLevelItem(zone)->setText(0, name.isEmpty() ? QString::number(zone + 1)
                                                                      : host().ToUnicode(name));
            }
        }
        break;
    default:
        break;
    }
}

// --- The phrase menu ----------------------------------------------------------------

void TZoneVoicePage::LoadVoicePhrases()
{
    const QString path = host().voicePhraseFile();
    if (path.isEmpty())
        return;
    if (!::ykt::LoadVoicePhrases(path, host().FromUnicode(host().MessageW(kNoPhraseMessage)),
                                 m_menu))
        return;
    fillMenuList();
}

void TZoneVoicePage::fillMenuList()
{
    m_menuList->clear();
    for (const TVoicePhrase &phrase : m_menu)
        m_menuList->addItem(host().ToUnicode(phrase.Caption));
    const int rows = qMin<int>(kPhraseMenuVisibleRows, qMax<int>(1, m_menu.size()));
    const int rowHeight = m_menuList->sizeHintForRow(0) > 0 ? m_menuList->sizeHintForRow(0)
                                                            : fontMetrics().height() + 2;
    m_menuList->setFixedHeight(rows * rowHeight + 2 * m_menuList->frameWidth());
    m_menuList->setFixedWidth(qMax(200, m_menuList->sizeHintForColumn(0) + 40));
}

bool TZoneVoicePage::OpenPhraseMenu(const QPoint &globalPos)
{
    if (!isSlot(m_tree->currentItem()) || m_menu.isEmpty())
        return false;
    m_menuList->move(globalPos);
    m_menuList->show();
    m_menuList->setFocus();
    return true;
}

void TZoneVoicePage::ChoosePhrase(int entry)
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (!isSlot(item) || entry < 0 || entry >= m_menu.size())
        return;
    const int zone = m_tree->indexOfTopLevelItem(item->parent());
    const int slot = item->data(0, SlotRole).toInt();
    QByteArray &record = recordOf(zone);
    record[1 + slot] = char(phraseByte(m_menu.at(entry).Number));
    ShowZone(zone);
    host().announcer().announceEdit(SettingsAnnouncer::Area::ZoneVoice);
}

bool TZoneVoicePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport()) {
        // A left click on the slot that was already selected opens the menu.
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            QTreeWidgetItem *item = m_tree->itemAt(mouse->position().toPoint());
            m_pressedCurrent = item && item == m_tree->currentItem() ? item : nullptr;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            QTreeWidgetItem *item = m_tree->itemAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && item && item == m_pressedCurrent)
                OpenPhraseMenu(mouse->globalPosition().toPoint());
            m_pressedCurrent = nullptr;
        }
    }
    return TConfigPage::eventFilter(watched, event);
}

// --- The window's rules -------------------------------------------------------------

void TZoneVoicePage::ApplyLanguageTexts()
{
    m_delegate->placeholder = host().MessageW(kEmptySlotMessage);
    LoadVoicePhrases();
    // The slots in the new language's captions.
    for (int zone = 0; zone < ZoneCount; ++zone)
        ShowZone(zone);
    m_tree->viewport()->update();
}

} // namespace ykt
