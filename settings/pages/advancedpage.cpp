#include "settings/pages/advancedpage.h"
#include "settings/pages/quietly.h"

#include "ui_advancedpage.h"

#include "settings/pages/pagehost.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "wizard/pagelist.h"

#include <QSignalBlocker>

namespace ykt {

TAdvancedPage::TAdvancedPage(PageHost &host, QWidget *parent)
    : TConfigPage(host, AdvancedPageIndex, parent), ui(std::make_unique<Ui::TAdvancedPage>())
{
    ui->setupUi(this);
    connect(ui->TntCheckBox53, &QCheckBox::toggled, this, &TAdvancedPage::everyEventRule);
    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TAdvancedPage::onStored);
    enableControls();
}

TAdvancedPage::~TAdvancedPage() = default;

// --- Model and controls -------------------------------------------------------------

void TAdvancedPage::Show()
{
    showKissOff();
    showAlarmSettings();
}

void TAdvancedPage::Commit()
{
    SecurityArea &security = host().model().security;
    security.pstnKissOff = kissOffWire(kissOffTenths());
    // A short block stays as it is.
    security.alarmSettings = mergeAlarmSettings(security.alarmSettings, optionsOnScreen());
}

int TAdvancedPage::kissOffTenths() const
{
    return ui->BMDSpinEdit1->value();
}

void TAdvancedPage::onStored(quint8 answerType, int)
{
    switch (answerType) {
    case SettingsReceiver::PSTNKissOff:
        showKissOff();
        break;
    case SettingsReceiver::AlarmSettings:
        showAlarmSettings();
        break;
    default:
        break;
    }
}

void TAdvancedPage::showKissOff()
{
    ui->BMDSpinEdit1->setValue(ykt::kissOffTenths(host().model().security.pstnKissOff));
}

void TAdvancedPage::showAlarmSettings()
{
    enableControls();
    const std::optional<AlarmServerOptions> options =
        unpackAlarmSettings(host().model().security.alarmSettings);
    if (!options)
        return;
    setQuietly(ui->TntComboBox15, options->eventLog);
    setQuietly(ui->TntComboBox16, options->motionDetection);
    setQuietly(ui->TntCheckBox50, options->reportUserNames);
    setQuietly(ui->TntCheckBox51, options->reportZoneNames);
    setQuietly(ui->TntCheckBox52, options->saveEventLog);
    setQuietly(ui->TntCheckBox53, options->everyEvent);
    everyEventRule();
}

AlarmServerOptions TAdvancedPage::optionsOnScreen() const
{
    AlarmServerOptions o;
    o.eventLog = ui->TntComboBox15->currentIndex();
    o.everyEvent = ui->TntCheckBox53->isChecked();
    o.motionDetection = ui->TntComboBox16->currentIndex();
    o.reportUserNames = ui->TntCheckBox50->isChecked();
    o.reportZoneNames = ui->TntCheckBox51->isChecked();
    o.saveEventLog = ui->TntCheckBox52->isChecked();
    return o;
}

// --- Rules --------------------------------------------------------------------------

void TAdvancedPage::everyEventRule()
{
    const bool every = ui->TntCheckBox53->isChecked();
    ui->TntComboBox15->setEnabled(!every);
    ui->TntLabelEventLog->setEnabled(!every);
}

void TAdvancedPage::enableControls()
{
    for (QWidget *w :
         {static_cast<QWidget *>(ui->TntLabelKissOff), static_cast<QWidget *>(ui->BMDSpinEdit1),
          static_cast<QWidget *>(ui->TntLabelKissOffUnit)})
        w->setEnabled(m_moduleHasSettings);
    const bool block = m_moduleHasSettings && host().model().security.alarmSettings.size() >=
                                                  AlarmServerOptions::BlockSize;
    ui->TntGroupBox18->setEnabled(block);
    ui->TntGroupBox17->setEnabled(block);
}

// --- Rules of the window ------------------------------------------------------------

void TAdvancedPage::ApplyWorkMode(WorkMode mode)
{
    // Laid out under the kiss-off line, reporting above privacy.
    const bool alarmServer = mode != WorkMode::Communicator;
    ui->TntGroupBox18->setVisible(alarmServer);
    ui->TntGroupBox17->setVisible(alarmServer);
}

void TAdvancedPage::ApplyCapabilities(const ModuleContext &context)
{
    m_moduleHasSettings = context.firmwareVersion >= AlarmSettingsFirmware;
    enableControls();
}

QList<QComboBox *> TAdvancedPage::KeptSelections() const
{
    return {ui->TntComboBox15, ui->TntComboBox16, ui->TntComboBox14};
}

} // namespace ykt
