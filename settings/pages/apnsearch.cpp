#include "settings/pages/apnsearch.h"

#include "refdata/nationid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace ykt {

namespace {

QLabel *label(const char *name, const char *caption, QWidget *parent)
{
    auto *l = new QLabel(QLatin1String(caption), parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QComboBox *pickList(const char *name, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Long operator names would push OK and Cancel off the page.
    list->setMaximumWidth(170);
    return list;
}

QPushButton *smallButton(const char *name, const char *caption, QWidget *parent)
{
    auto *b = new QPushButton(QLatin1String(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

// Replaces the entries of list without telling anyone, choosing the first
// (or nothing in an empty list).
void fill(QComboBox *list, const QStringList &entries)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

} // namespace

TApnSearch::TApnSearch(QWidget *parent) : QWidget(parent), m_nation(UserNationId)
{
    m_locationLabel = label("TntLabelApnLocation", "Location:", this);
    m_locations = pickList("ApnLocationList", this);
    m_operatorLabel = label("TntLabelApnOperator", "Operator:", this);
    m_operators = pickList("ApnOperatorList", this);
    m_apnLabel = label("TntLabelApnChoice", "APN:", this);
    m_apns = pickList("ApnChoiceList", this);
    m_ok = smallButton("TntButtonApnOK", "OK", this);
    m_cancel = smallButton("TntButtonApnCancel", "Cancel", this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_locationLabel, m_locations, m_operatorLabel,
                                          m_operators, m_apnLabel, m_apns, m_ok, m_cancel})
        row->addWidget(w);
    row->addStretch(1);

    connect(m_locations, &QComboBox::currentIndexChanged, this, &TApnSearch::locationChosen);
    connect(m_operators, &QComboBox::currentIndexChanged, this, &TApnSearch::operatorChosen);
    connect(m_ok, &QPushButton::clicked, this, &TApnSearch::Confirm);
    connect(m_cancel, &QPushButton::clicked, this, &TApnSearch::Cancel);
    hideRow();
}

void TApnSearch::setList(const TAPNList *list)
{
    m_list = list;
}

void TApnSearch::setNationSource(std::function<quint32()> source)
{
    m_nation = std::move(source);
}

bool TApnSearch::isOpen() const
{
    return !isHidden() && !m_locations->isHidden();
}

void TApnSearch::Start()
{
    if (isOpen())
        return;
    QStringList names;
    const TAPNList none;
    const TAPNList &list = m_list ? *m_list : none;
    for (const TAPNItem &location : list)
        names.append(location.Name);
    fill(m_locations, names);
    const quint32 nation = m_nation ? m_nation() : 0;
    const int own = PreselectedAPNLocation(list, nation);
    {
        const QSignalBlocker quiet(m_locations);
        // The first entry of that name: a later location of the same name
        // is never the one shown.
        m_locations->setCurrentIndex(own < 0 ? -1 : m_locations->findText(list.at(own).Name));
    }
    show();
    locationChosen();
    m_locationLabel->show();
    m_locations->show();
}

const TAPNItem *TApnSearch::chosenLocation() const
{
    if (!m_list || m_locations->currentIndex() < 0)
        return nullptr;
    return FindAPNLocation(*m_list, m_locations->currentText());
}

void TApnSearch::locationChosen()
{
    if (m_locations->currentIndex() < 0) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_operatorLabel, m_operators, m_apnLabel,
                                                           m_apns, m_ok})
            w->hide();
        m_cancel->show();
        return;
    }
    const TAPNItem *location = chosenLocation();
    if (!location)
        return;
    QStringList names;
    for (const TOperator &op : location->Operators)
        names.append(op.Name);
    fill(m_operators, names);
    operatorChosen();
    m_operatorLabel->show();
    m_operators->show();
}

void TApnSearch::operatorChosen()
{
    m_ok->hide();
    if (m_operators->currentIndex() < 0) {
        m_apnLabel->hide();
        m_apns->hide();
        m_cancel->show();
        return;
    }
    const TAPNItem *location = chosenLocation();
    const TOperator *op =
        location ? FindAPNOperator(*location, m_operators->currentText()) : nullptr;
    if (!op)
        return;
    fill(m_apns, op->APNs);
    for (QWidget *w : std::initializer_list<QWidget *>{m_ok, m_cancel, m_apns, m_apnLabel})
        w->show();
}

void TApnSearch::Confirm()
{
    const bool chosen = !m_apns->isHidden() && m_apns->currentIndex() >= 0;
    const QString apn = m_apns->currentText();
    hideRow();
    if (chosen && !apn.isEmpty())
        emit confirmed(apn);
}

void TApnSearch::Cancel()
{
    hideRow();
}

void TApnSearch::hideRow()
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_locationLabel, m_locations, m_operatorLabel,
                                          m_operators, m_apnLabel, m_apns, m_ok, m_cancel})
        w->hide();
    hide();
}

} // namespace ykt
