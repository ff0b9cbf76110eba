#pragma once

// Tells whoever shows the settings model that part of it changed. The
// receiver raises stored() for each answer of the module it put into the
// model, the template loader and the factory default for every value they
// replaced; a configuration page raises edited() when the user changed a
// value that another page shows a consequence of (the Users page's SMS
// backup numbers for the GPRS page, the GPRS page's first channel for the
// Users page's warning). It needs no driver, so a page can be built and
// tested with a model and an announcer alone.

#include <QObject>

namespace ykt {

class SettingsAnnouncer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The part of the model a page edited.
    enum class Area
    {
        Users,     // phone records 0..9, their registers, the SMS options
        Reporting, // the GPRS channels, TCPCR, heartbeat
        Inputs,
        Outputs,
        RemoteControl,
        Security,
        Modem,
        Advanced,
        Texts,
        ZoneVoice,
    };
    Q_ENUM(Area)

    void announce(quint8 answerType, int index) { emit stored(answerType, index); }
    void announceEdit(Area area) { emit edited(area); }

signals:
    // answerType is the module's answer type (0x80..0xA0), index the answer's
    // index as SettingsReceiver documents it.
    void stored(quint8 answerType, int index);
    void edited(Area area);
};

} // namespace ykt
