#include "settings/pages/modempage.h"

#include "ui_modempage.h"

#include "app/forms/lamp.h"
#include "app/modemstate.h"
#include "settings/pages/digitfield.h"
#include "settings/pages/notapplicable.h"
#include "settings/pages/pagehost.h"
#include "settings/pages/quietly.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "wizard/pagelist.h"

#include <QSignalBlocker>

namespace ykt {

namespace {


// A SIM PIN the module refused: the group on light red, the label in red.
const QColor RejectedGroupColor(255, 160, 160);
const QColor RejectedTextColor(192, 0, 0);

} // namespace

TGsmModemPage::TGsmModemPage(PageHost &host, QWidget *parent)
    : TConfigPage(host, GsmModemPageIndex, parent), ui(std::make_unique<Ui::TGsmModemPage>())
{
    ui->setupUi(this);
    makeDigitField(ui->TntEdit1, MaxSimPinLength);

    QPalette label = ui->TntLabel5->palette();
    label.setColor(QPalette::WindowText, RejectedTextColor);
    ui->TntLabel5->setPalette(label);
    QFont bold = ui->TntLabel5->font();
    bold.setBold(true);
    ui->TntLabel5->setFont(bold);

    connect(ui->TntCheckBox28, &QCheckBox::toggled, this, &TGsmModemPage::simPinRule);
    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TGsmModemPage::onStored);
    simPinRule();
}

TGsmModemPage::~TGsmModemPage() = default;

// --- Model and controls -------------------------------------------------------------

void TGsmModemPage::Show()
{
    showRegister();
    showSimPin();
}

void TGsmModemPage::Commit()
{
    SecurityArea &security = host().model().security;
    // Only this page's fields change; bit 7 is the module's and is never
    // written, the rest belongs to the Security and GPRS pages and the work mode.
    Ykt2CrFields fields = unpackYKT2CR(security.ykt2cr);
    fields.simPin = ui->TntCheckBox28->isChecked();
    fields.modemRestartHours = ui->SpinEdit40->value();
    fields.tcpStatistics = ui->TntCheckBox40->isChecked();
    security.ykt2cr = packYKT2CR(fields);
    security.simPin = ui->TntEdit1->text().toLatin1();
}

void TGsmModemPage::onStored(quint8 answerType, int)
{
    switch (answerType) {
    case SettingsReceiver::YKT2CR:
        showRegister();
        break;
    case SettingsReceiver::SIMpin:
        showSimPin();
        break;
    case SettingsReceiver::SMSPSTNCR:
        enableRestartPeriod();
        break;
    default:
        break;
    }
}

void TGsmModemPage::showRegister()
{
    const Ykt2CrFields fields = unpackYKT2CR(host().model().security.ykt2cr);
    setQuietly(ui->TntCheckBox28, fields.simPin);
    simPinRule();
    ui->SpinEdit40->setValue(fields.modemRestartHours);
    ui->TntCheckBox40->setChecked(fields.tcpStatistics);
    showSimPinRejected(fields.simPinRejected);
}

void TGsmModemPage::showSimPin()
{
    // The field keeps digits only, at most eight.
    ui->TntEdit1->setText(QString::fromLatin1(host().model().security.simPin));
}

void TGsmModemPage::enableRestartPeriod()
{
    ui->SpinEdit40->setEnabled(true);
    ui->TntLabelModemRestart->setEnabled(true);
}

// --- Rules --------------------------------------------------------------------------

void TGsmModemPage::simPinRule()
{
    QLineEdit *pin = ui->TntEdit1;
    const bool used = ui->TntCheckBox28->isChecked();
    pin->setReadOnly(!used);
    QPalette colours = pin->palette();
    colours.setColor(QPalette::Base,
                     used ? palette().color(QPalette::Base) : palette().color(QPalette::Window));
    colours.setColor(QPalette::Text, used ? palette().color(QPalette::Text)
                                          : palette().color(QPalette::Disabled, QPalette::Text));
    pin->setPalette(colours);
}

void TGsmModemPage::showSimPinRejected(bool rejected)
{
    QGroupBox *group = ui->TntGroupBox2;
    QPalette colours = group->palette();
    colours.setColor(QPalette::Window,
                     rejected ? RejectedGroupColor : palette().color(QPalette::Window));
    group->setPalette(colours);
    group->setAutoFillBackground(rejected);
    ui->TntLabel5->setVisible(rejected);
}

// --- Rules of the window ------------------------------------------------------------

void TGsmModemPage::ApplyCapabilities(const ModuleContext &context)
{
    const bool simPin = context.firmwareVersion >= SimPinFirmware;
    setNotApplicable(ui->TntGroupBox2, !simPin);
    ui->TntGroupBox2->setVisible(simPin);
}

// --- The live GPRS status -----------------------------------------------------------

void TGsmModemPage::ShowState(const ModemRegisters &r, quint8 outBufMessCount, quint8 sentCounter)
{
    ui->VrLedGPRSSettedUp->setLit(stateBitSet(r.mc55iFlags, ModemSettedUpBit));
    ui->VrLedGPRSGSMAttached->setLit(stateBitSet(r.mc55iFlags, GsmAttachedBit));
    ui->VrLedGPRSOpening->setLit(stateBitSet(r.mc55iFlags, OpeningConnectionBit));
    ui->VrLedGPRSPoweredUp->setLit(stateBitSet(r.mc55iFlags, ModemPoweredUpBit));
    ui->VrLedGPRSConnecting->setLit(stateBitSet(r.tcpsr, TcpConnectingBit));
    ui->VrLedGPRSConnected->setLit(stateBitSet(r.tcpsr, TcpConnectedBit));
    ui->VrLedGPRSSending->setLit(stateBitSet(r.tcpsr, TcpSendingDataBit));
    ui->VrLevelBar2->setValue(gsmSignalLevel(r.tcpsr));
    ui->TntLabelGPRSBufferCount->setText(QString::number(outBufMessCount));
    ui->TntLabelGPRSSentCount->setText(QString::number(sentCounter));
}

} // namespace ykt
