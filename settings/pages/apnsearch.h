#pragma once

// The APN search row of the GPRS page: beside the "APN Search" button, three
// chained pick-only lists (location, operator, APN) with their labels and
// the small OK and Cancel buttons, all hidden until a search starts.
//
// A search fills the locations from the APN list the window loaded from
// APN.txt and preselects the user's own country (its nation identifier, a
// GEOID); choosing a location fills its operators, choosing an operator its
// APNs, each time with the first entry chosen. OK stands right of the APN
// list and Cancel right of OK, or right of the last list shown while there is
// nothing to confirm. OK hands over the chosen APN; it hands over nothing
// while no APN entry (or an empty one) is chosen, so a typed APN is never
// erased. OK and Cancel hide the row again.

#include "refdata/apnlist.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace ykt {

class TApnSearch : public QWidget
{
    Q_OBJECT
public:
    explicit TApnSearch(QWidget *parent = nullptr);

    // The list the search offers; nullptr or an empty list offers no
    // location. The list must outlive the search.
    void setList(const TAPNList *list);
    // Where the user's nation identifier comes from (UserNationId by
    // default); 0 means none.
    void setNationSource(std::function<quint32()> source);

    // The location list is shown: a search is under way.
    bool isOpen() const;

    // "APN Search": does nothing while a search is under way.
    void Start();
    // OK and Cancel.
    void Confirm();
    void Cancel();

    QComboBox *locationList() const { return m_locations; }
    QComboBox *operatorList() const { return m_operators; }
    QComboBox *apnList() const { return m_apns; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    // OK with an APN entry chosen.
    void confirmed(const QString &apn);

private:
    void locationChosen();
    void operatorChosen();
    void hideRow();
    const TAPNItem *chosenLocation() const;

    const TAPNList *m_list = nullptr;
    std::function<quint32()> m_nation;

    QLabel *m_locationLabel = nullptr;
    QComboBox *m_locations = nullptr;
    QLabel *m_operatorLabel = nullptr;
    QComboBox *m_operators = nullptr;
    QLabel *m_apnLabel = nullptr;
    QComboBox *m_apns = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace ykt
