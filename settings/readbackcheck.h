#pragma once

// The check after a send: every value the send wrote against the value the
// read that followed brought back. The module keeps a value the way its read
// reports it (trailing blanks dropped, cut to the field, an account filled
// with "0" to four characters, names and texts through its character set and
// back), so each sent packet is first taken the way the module would answer
// it and the read stores the answer; only then is it compared with the model
// the read filled.
//
// Values the read cannot show are not compared: items this firmware does not
// answer (the keys before firmware 2030, for instance), the end of the help
// text exchange, CPCR (always written 0, never kept), and, while the module's
// GPRS settings are locked, the GPRS area, which the module then does not take.

#include "settings/sendplan.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ykt {

struct ReadBackDifference
{
    QString setting; // the plan's name of the setting ("Phone number 3", "APN")
    // The values as the program shows them; texts are 8-bit in the display
    // code page, numbers and registers in ASCII.
    QByteArray sent;
    QByteArray read;

    bool operator==(const ReadBackDifference &o) const
    {
        return setting == o.setting && sent == o.sent && read == o.read;
    }
};

// The differences between what the plan sent and the model read afterwards,
// in the plan's order; empty when the module holds everything that was sent.
QList<ReadBackDifference> compareReadBack(const QList<SendStep> &plan, const SettingsModel &read,
                                          const SendContext &context);
// The same for the plan of the model as it was sent.
QList<ReadBackDifference> compareReadBack(const SettingsModel &sent, const SettingsModel &read,
                                          const SendContext &context);

} // namespace ykt
