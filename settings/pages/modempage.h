#pragma once

// The GSM Modem Settings page, the content of WPage7: the SIM PIN with its
// use (YKT2CR bit 6) and the module's verdict on it (bit 7, shown, never
// written), the modem restart period (bits 3-5) and "Show TCP statistics"
// (bit 24); beside them the group "GPRS Communication", which shows the
// modem and TCP lamps, the GSM signal and the two message counts of every
// state report.
//
// The SIM PIN group exists from firmware 1024 on. The restart period is
// usable once the module's SMS/PSTN options have arrived.

#include "app/eventlog.h"
#include "settings/pages/configpage.h"

#include <memory>

namespace Ui {
class TGsmModemPage;
}

namespace ykt {

class TGsmModemPage : public TConfigPage
{
    Q_OBJECT
public:
    static constexpr int MaxSimPinLength = 8;
    // The first firmware that knows the SIM PIN.
    static constexpr int SimPinFirmware = 1024;

    explicit TGsmModemPage(PageHost &host, QWidget *parent = nullptr);
    ~TGsmModemPage() override;

    void Show() override;
    void Commit() override;
    void ApplyCapabilities(const ModuleContext &context) override;

    // A state report: the lamps, the level bar and the counts of "GPRS
    // Communication". They keep their last picture when the module goes.
    void ShowState(const ModemRegisters &registers, quint8 outBufMessCount,
                   quint8 sentCounter) override;

private:
    void onStored(quint8 answerType, int index);
    // The fields of YKT2CR, each box followed by its rule.
    void showRegister();
    void showSimPin();
    // SMSPSTNCR has arrived: the restart period is usable from now on.
    void enableRestartPeriod();

    // Unticked, the SIM PIN is read-only and greyed (and kept).
    void simPinRule();
    // The module refused the SIM PIN: the label is shown and the group red.
    void showSimPinRejected(bool rejected);

    std::unique_ptr<Ui::TGsmModemPage> ui;
};

} // namespace ykt
