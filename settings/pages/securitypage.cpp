#include "settings/pages/securitypage.h"

#include "ui_securitypage.h"

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

// The summary's title of the page.

} // namespace

TSecurityPage::TSecurityPage(PageHost &host, QWidget *parent)
    : TConfigPage(host, SecurityPageIndex, parent), ui(std::make_unique<Ui::TSecurityPage>())
{
    ui->setupUi(this);

    connect(ui->TntCheckBox3, &QCheckBox::toggled, this, [this] { usbConnectRule(false); });
    connect(ui->TntCheckBox41, &QCheckBox::toggled, this, [this] { gprsProtectionRule(false); });
    // A click runs the rule a second time, now allowed to move the focus.
    connect(ui->TntCheckBox3, &QCheckBox::clicked, this, [this] { usbConnectRule(true); });
    connect(ui->TntCheckBox41, &QCheckBox::clicked, this, [this] { gprsProtectionRule(true); });

    connect(ui->Edit8, &QLineEdit::textEdited, this, [this](const QString &text) {
        this->host().model().security.ownerName = this->host().FromUnicode(text);
    });
    connect(ui->Edit9, &QLineEdit::textEdited, this, [this](const QString &text) {
        this->host().model().security.usbPassword = this->host().FromUnicode(text);
    });
    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TSecurityPage::onStored);

    usbConnectRule(false);
}

TSecurityPage::~TSecurityPage() = default;

// --- Model and controls -------------------------------------------------------------

void TSecurityPage::Show()
{
    showOwnerName();
    showUsbPassword();
    showRegister();
}

void TSecurityPage::Commit()
{
    SecurityArea &security = host().model().security;
    security.ownerName = host().FromUnicode(ui->Edit8->text());
    security.usbPassword = host().FromUnicode(ui->Edit9->text());
    // Only this page's two bits change; the rest of the register belongs to
    // the GSM modem and GPRS pages and to the work mode.
    Ykt2CrFields fields = unpackYKT2CR(security.ykt2cr);
    fields.usbPassword = ui->TntCheckBox3->isChecked();
    fields.gprsProtected = ui->TntCheckBox41->isChecked();
    security.ykt2cr = packYKT2CR(fields);
}

void TSecurityPage::onStored(quint8 answerType, int)
{
    switch (answerType) {
    case SettingsReceiver::OwnerName:
        showOwnerName();
        break;
    case SettingsReceiver::USBPassword:
        showUsbPassword();
        break;
    case SettingsReceiver::YKT2CR:
        showRegister();
        break;
    default:
        break;
    }
}

void TSecurityPage::showOwnerName()
{
    ui->Edit8->setText(host().ToUnicode(host().model().security.ownerName));
    ui->Edit8->setEnabled(true);
}

void TSecurityPage::showUsbPassword()
{
    ui->Edit9->setText(host().ToUnicode(host().model().security.usbPassword));
}

void TSecurityPage::showRegister()
{
    const Ykt2CrFields fields = unpackYKT2CR(host().model().security.ykt2cr);
    setQuietly(ui->TntCheckBox3, fields.usbPassword);
    usbConnectRule(false);
    setQuietly(ui->TntCheckBox41, fields.gprsProtected);
    gprsProtectionRule(false);
}

// --- Rules --------------------------------------------------------------------------

void TSecurityPage::usbConnectRule(bool byUser)
{
    if (ui->TntCheckBox3->isChecked()) {
        // A password asked at every connect protects the GPRS settings too.
        setQuietly(ui->TntCheckBox41, false);
        ui->TntCheckBox41->setEnabled(false);
        enablePasswordField(true, byUser);
    } else {
        ui->TntCheckBox41->setEnabled(true);
        if (!ui->TntCheckBox41->isChecked())
            enablePasswordField(false, false);
    }
}

void TSecurityPage::gprsProtectionRule(bool byUser)
{
    enablePasswordField(ui->TntCheckBox3->isChecked() || ui->TntCheckBox41->isChecked(), byUser);
}

void TSecurityPage::enablePasswordField(bool enabled, bool focus)
{
    // Disabled, the field is drawn greyed; its text is still committed.
    ui->Edit9->setEnabled(enabled);
    if (enabled && focus)
        ui->Edit9->setFocus(Qt::MouseFocusReason);
}

// --- Rules of the window ------------------------------------------------------------

void TSecurityPage::ApplyLockView(bool locked)
{
    m_locked = locked;
    for (QWidget *w :
         {static_cast<QWidget *>(ui->TntCheckBox3), static_cast<QWidget *>(ui->TntCheckBox41),
          static_cast<QWidget *>(ui->Edit9)})
        showUnlessNotApplicable(w, !locked);
}

void TSecurityPage::ApplyLanguageTexts()
{
    showOwnerName();
    showUsbPassword();
}

} // namespace ykt
