#include "app/forms/productiontest.h"

#include "app/forms/dialogs.h"
#include "app/forms/logpage.h"
#include "app/forms/progressdialog.h"
#include "app/forms/tform1.h"
#include "app/settingsini.h"
#include "device/tykt2.h"
#include "settings/pages/configpage.h"
#include "settings/productiontest.h"
#include "util/logging.h"
#include "util/pause.h"

#include <QComboBox>

#include <array>

namespace ykt {

namespace {

// The fixed texts of production test programming.
const char AddPromptTitle[] = "Iveskite testavimo numeri";
const char AddPromptLabel[] = "Numeris (pvz: 37060000000)";
const char WrongNumber[] = "Numeris neteisingas";
const char TestPromptTitle[] = "Enter testing number";
const char TestPromptLabel[] = "Number (e.g: 37060000000)";
const char Failed[] = "Klaida";
const char Prepared[] = "Paruosimas testavimui baigtas";

// The message of a read that could not be done, which the factory default
// gives too.
constexpr int NoReadMessage = 39;

} // namespace

TProductionTest::TProductionTest(TForm1 &window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("ProductionTest"));
    TLogPage *page = window.logPage();
    connect(page, &TLogPage::addTestNumberRequested, this, &TProductionTest::AddTestNumber);
    connect(page, &TLogPage::testProgrammingRequested, this, [this] { ProgramForTest(); });
    if (!window.serviceMode())
        return;
    const StartupSettings &s = window.startupSettings();
    const QStringList numbers =
        TestNumbersFromSettings({s.phoneNumbers[1], s.phoneNumbers[2], s.phoneNumbers[3]});
    QComboBox *list = page->testNumbers();
    list->addItems(numbers);
    if (!numbers.isEmpty())
        list->setCurrentIndex(0);
}

SettingsFolders TProductionTest::folders() const
{
    return {m_window.environment().programFolder, m_window.environment().fallbackFolder};
}

void TProductionTest::AddTestNumber()
{
    const QByteArray initial = ReadSetting(folders(), "PhoneNumber");
    const std::optional<QString> typed =
        dialogs().askText(&m_window, QLatin1String(AddPromptTitle), QLatin1String(AddPromptLabel),
                          QString::fromLatin1(initial));
    if (!typed)
        return;
    if (!IsListTestNumber(*typed)) {
        m_window.ShowPlainMessage(QLatin1String(WrongNumber));
        return;
    }
    QComboBox *list = m_window.logPage()->testNumbers();
    list->addItem(*typed);
    list->setCurrentIndex(list->count() - 1);
}

void TProductionTest::SaveTestNumbers()
{
    QComboBox *list = m_window.logPage()->testNumbers();
    QStringList items;
    for (int k = 0; k < list->count(); ++k)
        items.append(list->itemText(k));
    const auto values = TestNumbersToSave(items);
    if (values.isEmpty())
        return;
    const SettingWritten written = WriteSettings(folders(), values);
    if (!written.ok)
        qCWarning(lcSettings) << "The test numbers were not saved:" << written.error;
}

bool TProductionTest::ProgramForTest()
{
    TForm1 &w = m_window;
    TYKT2 *driver = w.driver();
    if (m_running || w.m_sending || !driver || !driver->Connected() || driver->Reading())
        return false;
    // The factory default writes what the module reported of its alarm
    // options and its locked GPRS area: without a read it refuses, and so
    // nothing is asked.
    if (!w.m_readCompleted) {
        w.ShowMessageBox(w.MessageW(NoReadMessage), DialogSeam::Icon::Error);
        return false;
    }

    // The number before anything is written.
    QByteArray number;
    const QString listText = w.logPage()->testNumbers()->currentText();
    if (IsListTestNumber(listText)) {
        number = listText.toLatin1();
    } else {
        const std::optional<QString> typed =
            dialogs().askText(&w, QLatin1String(TestPromptTitle), QLatin1String(TestPromptLabel),
                              QString::fromLatin1(ReadSetting(folders(), "PhoneNumber1")));
        if (!typed)
            return false;
        number = typed->toLatin1();
        const SettingWritten written = WriteSetting(folders(), "PhoneNumber1", number);
        if (!written.ok)
            qCWarning(lcSettings) << "PhoneNumber1 was not saved:" << written.error;
        // The prompt may have outlived the module.
        driver = w.driver();
        if (!driver || !driver->Connected() || driver->Reading() || w.m_sending)
            return false;
    }

    m_running = true;
    bool moduleChanged = false;
    const auto removed =
        connect(driver, &TYKT2::OnDisconnect, this, [&moduleChanged] { moduleChanged = true; });
    const auto attached =
        connect(driver, &TYKT2::OnConnect, this, [&moduleChanged] { moduleChanged = true; });
    const bool prepared = writeAll(number, moduleChanged);
    disconnect(removed);
    disconnect(attached);
    m_running = false;

    if (!w.driver() || w.m_closeRequested)
        return false; // the window closed meanwhile
    w.form5()->hide();
    qCInfo(lcUi) << (prepared ? "Test programming done" : "Test programming failed");
    w.ShowPlainMessage(QLatin1String(prepared ? Prepared : Failed));
    emit programmingFinished(prepared);
    return prepared;
}

bool TProductionTest::writeAll(const QByteArray &number, const bool &moduleChanged)
{
    TForm1 &w = m_window;
    // The partial factory default leaves the progress dialog open.
    if (!w.FactoryDefault(false) || moduleChanged)
        return false;
    w.form5()->showFor(false);

    const QList<SendStep> plan = ApplyTestProgramming(w.m_model, number, w.m_language.smsTable(),
                                                      [&w](int n) { return w.Message(n); });
    // The pages show what is written: user 0 on row 0 of the Users page,
    // "Send SMS" on every input.
    for (TConfigPage *page : w.configPages())
        page->Show();

    bool written = true;
    w.m_sending = true;
    for (const SendStep &step : plan) {
        // Nothing goes to a module that was put in place of the one prepared.
        TYKT2 *driver = w.driver();
        if (!driver || moduleChanged || w.m_closeRequested ||
            !driver->WritePacket(step.packet, w.environment().driverTimings.watchdogMs)) {
            qCWarning(lcUi) << "Test programming stopped at" << step.name;
            written = false;
            break;
        }
        if (step.pauseAfterMs > 0)
            Pause(step.pauseAfterMs);
    }
    w.m_sending = false;
    if (written)
        w.noteReported();
    return written;
}

} // namespace ykt
