#pragma once

// The GPRS Reporting page, the content of WPage2: the two reporting channels
// (station address and port, receiver protocol, TCP or UDP, account, the
// encryption key of the "Fibro" protocol, the copy to the telephone line),
// the GPRS access data (APN with its search, user name, password) and the
// heartbeat.
//
// The model holds what the module holds: the two connection strings
// "address:port", TCPCR, the accounts, the keys as 16 bytes, the heartbeat
// part of YKT2CR and the heartbeat event word. The page shows them split
// into its fields and commits them back; a text that arrived is written back
// byte for byte unless the user changed it. The use of channel 1 is
// committed as soon as it changes, because the Users page warns about SMS
// backup numbers that back up an unused channel.
//
// When the module protects these settings with a password (SettingsLocked),
// the lock view shows the unlock panel instead of the channels' protected
// fields and the heartbeat; only the accounts, the SMS backup list and the
// GPRS access data stay. "Unlock" submits the password and starts the lock
// watch, which after a right password reads the GPRS items again (so that a
// later send does not write back the blanks the module answered while
// locked) and asks for the USB password for the Security page.

#include "settings/pages/configpage.h"
#include "settings/registers.h"
#include "settings/settingsannouncer.h"

#include <QByteArray>
#include <QHash>
#include <QTimer>

#include <memory>

namespace Ui {
class TGprsPage;
}

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace ykt {

class TApnSearch;
struct TAPNItem;
using TAPNList = QList<TAPNItem>;

class TGprsPage : public TConfigPage
{
    Q_OBJECT
public:
    // apnList: the locations the APN search offers (the window's list, which
    // outlives the page); nullptr offers none.
    TGprsPage(PageHost &host, const TAPNList *apnList, QWidget *parent = nullptr);
    ~TGprsPage() override;

    // --- The page ---
    void Show() override;
    void Commit() override;
    // The SMS backup list as the Users page left it.
    void Enter() override;
    // The protocol lists for the firmware, the "Put same to PSTN" boxes.
    void ApplyCapabilities(const ModuleContext &context) override;
    // This page's part of the lock view: the unlock panel instead of the
    // protected fields (the Security page and the window do theirs).
    void ApplyLockView(bool locked) override;
    // Message 82 and this page when a used channel lacks its address, its
    // port or the APN; nothing while the settings are locked (the module
    // takes no GPRS setting then anyway).
    std::optional<SendRefusal> CheckBeforeSend() const override;
    QList<QComboBox *> KeptSelections() const override;

    // --- The lock ---
    // The lock watch of a connect: its first check applies the lock view.
    void StartLockWatch();
    // "Unlock": submits the password field in the language's code page and
    // watches the module's answer.
    void Unlock();
    bool lockWatchRunning() const { return m_lockWatch.isActive(); }
    bool locked() const { return m_locked; }
    // Interval of the lock watch (500 ms).
    void setLockWatchInterval(int ms) { m_lockWatch.setInterval(ms); }

    // "Manage SMS Backup numbers": the Users page, where they are chosen.
    void ManageSmsBackupNumbers();
    TApnSearch *apnSearch() const;

private:
    enum Channel
    {
        Channel1,
        Channel2
    };
    struct ChannelControls
    {
        QComboBox *use;
        QLineEdit *address;
        QLineEdit *port;
        QComboBox *protocol;
        QComboBox *transport;
        QLineEdit *account;
        QCheckBox *pstn;
        QWidget *encryptionRow;
        QCheckBox *encryption;
        QWidget *keyLabel;
        QLineEdit *key;
        QList<QWidget *> locked; // hidden by the lock view
    };

    void bindRules();
    void bindFilters();
    void onStored(quint8 answerType, int index);

    // Arrivals: the model holds the value already.
    void showConnectionString(Channel c);
    void showTcpCr();
    void showAccount(Channel c);
    void showKey(Channel c);
    void showHeartbeatEvent();
    void showHeartbeatPart();
    // An 8-bit text of the model into field, cut to maxLength; it is
    // remembered, so that textOf gives it back unchanged.
    void showText(QLineEdit *field, const QByteArray &text, int maxLength);
    // What field holds in 8 bits: the very text that was shown while the
    // user left it alone, else the field's text in the language's code page.
    QByteArray textOf(const QLineEdit *field) const;
    // A text set by the program, which the filters leave alone.
    void setFieldText(QLineEdit *field, const QString &text);

    // Rules.
    bool channelUsed(Channel c) const;
    void useRule(Channel c);
    void protocolRule(Channel c);
    void encryptionRule(Channel c);
    void pstnBoxRule(Channel c);
    void paintField(QLineEdit *field, bool required);
    void paintChannelFields(Channel c);
    void paintApn();
    void heartbeatRule();
    void heartbeatEventRule();
    void refreshSmsBackupList();
    // The user chose another use: committed and announced at once.
    void useEdited(Channel c);
    void fillProtocolLists();

    TcpCrFields tcpFieldsOnScreen() const;
    void commitTcpCr();

    // The lock watch.
    void checkLock();
    void applyWatchedLockView(bool locked);
    void readGprsItemsAgain();

    const ChannelControls &controls(Channel c) const { return m_channels[c]; }

    std::unique_ptr<Ui::TGprsPage> ui;
    ChannelControls m_channels[2];
    ModuleContext m_context;
    bool m_locked = false;
    QTimer m_lockWatch;
    bool m_firstLockCheck = false;
    // The 8-bit texts the fields were last given, by field.
    QHash<const QLineEdit *, QByteArray> m_shown;
    // The text of each filtered field before the edit now being filtered.
    QHash<const QLineEdit *, QString> m_lastText;
    bool m_settingText = false;
};

} // namespace ykt
