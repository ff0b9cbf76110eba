#pragma once

// The Security settings page, the content of WPage6: the module's owner name
// and the USB password with its two uses, "Use password on USB connect"
// (YKT2CR bit 0) and "Use password to prevent GPRS Settings changing"
// (bit 25). Both uses share the one password; the first rules out the
// second.
//
// The two texts are 8-bit in the code page of the current language, in the
// model as on the wire, so a password set here is the one typed at the
// connect prompt and into the unlock field. They are committed as they are
// typed, and shown again through the new code page when the language
// changes. While the module protects its GPRS settings (the lock view) the
// password and its two boxes are hidden.

#include "settings/pages/configpage.h"

#include <memory>

namespace Ui {
class TSecurityPage;
}

namespace ykt {

class TSecurityPage : public TConfigPage
{
    Q_OBJECT
public:
    static constexpr int MaxTextLength = 16;

    explicit TSecurityPage(PageHost &host, QWidget *parent = nullptr);
    ~TSecurityPage() override;

    void Show() override;
    void Commit() override;
    void ApplyLockView(bool locked) override;
    // The owner name and the password, through the new language's code page.
    void ApplyLanguageTexts() override;

private:
    void onStored(quint8 answerType, int index);
    void showOwnerName();
    void showUsbPassword();
    // The two boxes from YKT2CR, each followed by its rule.
    void showRegister();

    // The interlock of the two boxes and the password field; byUser: the box
    // was clicked, and the field takes the focus when it becomes usable.
    void usbConnectRule(bool byUser);
    void gprsProtectionRule(bool byUser);
    void enablePasswordField(bool enabled, bool focus);

    std::unique_ptr<Ui::TSecurityPage> ui;
    bool m_locked = false;
};

} // namespace ykt
