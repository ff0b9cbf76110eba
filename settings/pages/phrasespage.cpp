#include "settings/pages/phrasespage.h"

#include "settings/pages/pagehost.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "texts/examplesms.h"
#include "wizard/pagelist.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ykt {

namespace {

// The grid, heading label and heading of each name group (FDNr 1..5).
struct GroupNames
{
    const char *grid, *label, *heading;
};
constexpr GroupNames Groups[TextsArea::NameGroups] = {
    {"StringGrid3", "TntLabelZones", "Zones:"},
    {"StringGrid6", "TntLabelModules", "Modules:"},
    {"StringGrid5", "TntLabelUsers", "Users:"},
    {"StringGrid4", "TntLabelPartitions", "Partitions:"},
    {"StringGrid8", "TntLabelPGMs", "PGMs:"},
};

// The cell editor holds as many characters as the module does.
class LimitedDelegate : public QStyledItemDelegate
{
public:
    LimitedDelegate(int length, QObject *parent) : QStyledItemDelegate(parent), m_length(length) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setMaxLength(m_length);
        return editor;
    }

private:
    int m_length;
};

QTableWidget *grid(const char *name, int rows, int columns, QWidget *parent)
{
    auto *g = new QTableWidget(rows, columns, parent);
    g->setObjectName(QLatin1String(name));
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(18);
    g->horizontalHeader()->setStretchLastSection(true);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setItemDelegate(new LimitedDelegate(NameLength, g));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto *item = new QTableWidgetItem;
            // Column 0 of a name grid is the fixed row label.
            if (columns == 2 && c == 0)
                item->setFlags(Qt::ItemIsEnabled);
            g->setItem(r, c, item);
        }
    }
    return g;
}

} // namespace

TPhrasesPage::TPhrasesPage(PageHost &pageHost, QWidget *parent)
    : TConfigPage(pageHost, PhrasesPageIndex, parent)
{
    setObjectName(QStringLiteral("PhrasesPage"));
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    auto *grids = new QGridLayout;
    page->addLayout(grids, 1);
    for (int g = 1; g <= TextsArea::NameGroups; ++g) {
        const GroupNames &n = Groups[g - 1];
        auto *label = new QLabel(QLatin1String(n.heading), this);
        label->setObjectName(QLatin1String(n.label));
        QTableWidget *t = grid(n.grid, TextsArea::groupSize(g), 2, this);
        t->setColumnWidth(0, 34);
        m_names[size_t(g - 1)] = t;
        grids->addWidget(label, 0, g - 1);
        grids->addWidget(t, 1, g - 1);
        connect(t, &QTableWidget::cellChanged, this, [this, g](int row, int column) {
            if (column == 1)
                nameEdited(g, row);
        });
    }
    auto *phrasesLabel = new QLabel(QStringLiteral("Additional phrases:"), this);
    phrasesLabel->setObjectName(QStringLiteral("TntLabelPhrases"));
    m_phrases = grid("StringGrid7", TextsArea::PhraseCount, 1, this);
    grids->addWidget(phrasesLabel, 0, TextsArea::NameGroups);
    grids->addWidget(m_phrases, 1, TextsArea::NameGroups);
    grids->setColumnStretch(TextsArea::NameGroups, 1);
    connect(m_phrases, &QTableWidget::cellChanged, this, [this](int row) {
        if (m_filling)
            return;
        host().model().texts.smsPhrases[size_t(row)] =
            host().FromUnicode(m_phrases->item(row, 0)->text()).left(NameLength);
        textsEdited();
    });

    auto *texts = new QGridLayout;
    page->addLayout(texts);
    const char *captions[] = {"GPRS communication failure:", "GPRS communication statistics:"};
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(QLatin1String(captions[i]), this);
        label->setObjectName(QStringLiteral("TntLabelAdSMS%1").arg(i));
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("AdSMSEdit%1").arg(i));
        edit->setMaxLength(SmsTextLength);
        m_additional[size_t(i)] = edit;
        texts->addWidget(label, i, 0);
        texts->addWidget(edit, i, 1);
        connect(edit, &QLineEdit::textChanged, this, [this, i](const QString &text) {
            if (m_filling)
                return;
            host().model().texts.additionalTexts[size_t(i)] =
                host().FromUnicode(text).left(SmsTextLength);
            textsEdited();
        });
    }
    m_additional[1]->setToolTip(QStringLiteral(" At text end there will be statistics value"));
    m_default = new QPushButton(QStringLiteral("Set default"), this);
    m_default->setObjectName(QStringLiteral("TntButton24"));
    texts->addWidget(m_default, 0, 2, 2, 1, Qt::AlignTop);
    texts->setColumnStretch(1, 1);
    connect(m_default, &QPushButton::clicked, this, &TPhrasesPage::SetDefault);

    connect(&pageHost.announcer(), &SettingsAnnouncer::stored, this, &TPhrasesPage::onStored);
    // A rename through an event picker of the Inputs page.
    connect(&pageHost.announcer(), &SettingsAnnouncer::edited, this, [this](auto area) {
        if (area == SettingsAnnouncer::Area::Texts && !m_filling)
            Show();
    });
}

QTableWidget *TPhrasesPage::nameGrid(int fdNr) const
{
    return fdNr >= 1 && fdNr <= TextsArea::NameGroups ? m_names[size_t(fdNr - 1)] : nullptr;
}

void TPhrasesPage::fillName(int fdNr, int idx)
{
    const bool filling = m_filling;
    m_filling = true;
    QTableWidget *g = m_names[size_t(fdNr - 1)];
    const auto message = [this](int n) { return host().FromUnicode(host().MessageW(n)); };
    g->item(idx, 0)->setText(host().ToUnicode(ItemRowLabel(fdNr, idx, message)));
    g->item(idx, 1)->setText(
        host().ToUnicode(host().model().texts.itemNames[size_t(fdNr - 1)][size_t(idx)]));
    m_filling = filling;
}

void TPhrasesPage::fillGroup(int fdNr)
{
    for (int idx = 0; idx < TextsArea::groupSize(fdNr); ++idx)
        fillName(fdNr, idx);
}

void TPhrasesPage::fillPhrase(int idx)
{
    const bool filling = m_filling;
    m_filling = true;
    m_phrases->item(idx, 0)->setText(
        host().ToUnicode(host().model().texts.smsPhrases[size_t(idx)]));
    m_filling = filling;
}

void TPhrasesPage::fillAdditional(int idx)
{
    const bool filling = m_filling;
    m_filling = true;
    m_additional[size_t(idx)]->setText(
        host().ToUnicode(host().model().texts.additionalTexts[size_t(idx)]));
    m_filling = filling;
}

void TPhrasesPage::Show()
{
    for (int g = 1; g <= TextsArea::NameGroups; ++g)
        fillGroup(g);
    for (int i = 0; i < TextsArea::PhraseCount; ++i)
        fillPhrase(i);
    fillAdditional(0);
    fillAdditional(1);
}

void TPhrasesPage::ApplyWorkMode(WorkMode)
{
    for (int g = 1; g <= 4; ++g)
        m_names[size_t(g - 1)]->setEnabled(true);
}

void TPhrasesPage::onStored(quint8 answerType, int index)
{
    switch (answerType) {
    case SettingsReceiver::ItemName: {
        // Each name shows as it arrives, so a read that fails later keeps
        // what came before.
        const int fdNr = SettingsReceiver::itemNameGroup(index);
        const int idx = SettingsReceiver::itemNamePosition(index);
        if (fdNr >= 1 && fdNr <= TextsArea::NameGroups && idx < TextsArea::groupSize(fdNr))
            fillName(fdNr, idx);
        break;
    }
    case SettingsReceiver::SMSPhrase:
        if (index >= 0 && index < TextsArea::PhraseCount)
            fillPhrase(index);
        break;
    case SettingsReceiver::AdditionalSMSText:
        if (index == 0 || index == 1)
            fillAdditional(index);
        break;
    default:
        break;
    }
}

void TPhrasesPage::nameEdited(int fdNr, int row)
{
    if (m_filling)
        return;
    host().model().texts.itemNames[size_t(fdNr - 1)][size_t(row)] =
        host().FromUnicode(m_names[size_t(fdNr - 1)]->item(row, 1)->text()).left(NameLength);
    textsEdited();
}

void TPhrasesPage::textsEdited()
{
    m_filling = true;
    host().announcer().announceEdit(SettingsAnnouncer::Area::Texts);
    m_filling = false;
}

void TPhrasesPage::SetDefault()
{
    SetDefaultTexts(host().model().texts,
                    [this](int n) { return host().FromUnicode(host().MessageW(n)); });
    Show();
    textsEdited();
}

} // namespace ykt
