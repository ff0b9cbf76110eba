#include "settings/pages/outputspage.h"

#include "device/tykt2.h"
#include "settings/outputfields.h"
#include "settings/pages/notapplicable.h"
#include "settings/pages/pagehost.h"
#include "settings/pages/quietly.h"
#include "settings/registers.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "wizard/pagelist.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTime>
#include <QTimeEdit>

namespace ykt {

namespace {

constexpr int OutputCount = SettingsModel::OutputCount;
constexpr int LastOutput = OutputCount - 1;
constexpr int OcMessage = 87;
constexpr int RelayMessage = 88;
constexpr int NoLongerManualMessage = 109;
constexpr int HourMessage = 83;
constexpr int MinuteMessage = 84;
constexpr int SecondMessage = 85;

// The labels of OC 1 have their names in the language file; the other
// outputs take their texts from them.
QString labelName(const char *base, int i)
{
    const QString name = QLatin1String(base);
    return i == 0 ? name : name + QLatin1Char('_') + QString::number(i + 1);
}

template <class W> W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

QTime timeOfSeconds(int seconds)
{
    return QTime(0, 0).addSecs(seconds);
}

int secondsOfTime(const QTime &time)
{
    return QTime(0, 0).secsTo(time);
}

} // namespace

TOutputsPage::TOutputsPage(PageHost &host, QWidget *parent)
    : TConfigPage(host, OutputsPageIndex, parent)
{
    setObjectName(QStringLiteral("TOutputsPage"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    for (int i = 0; i < OutputCount; ++i) {
        buildOutput(i, this);
        grid->addWidget(m_out[size_t(i)].group, i / 2, i % 2);
    }
    grid->setRowStretch(2, 1);

    m_timer4.setObjectName(QStringLiteral("Timer4"));
    m_timer4.setSingleShot(true);
    m_timer4.setInterval(Timer4Ms);
    // The rules once all four outputs of a read are there; the refresh after
    // the read asks the questions.
    connect(&m_timer4, &QTimer::timeout, this, [this] { ApplyAllOutputRules(false); });
    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TOutputsPage::onStored);
}

void TOutputsPage::buildOutput(int i, QWidget *parent)
{
    const OutputComponentNames &n = OutputComponents[size_t(i)];
    OutputControls &c = m_out[size_t(i)];
    c.group = named(new QGroupBox(QLatin1String(n.defaultCaption), parent), QLatin1String(n.group));
    c.parameters = named(new QLabel(QStringLiteral("Parameters:")), labelName("TntLabel69", i));
    c.function = named(new QComboBox, QLatin1String(n.function));
    c.pulse = named(new QRadioButton(QStringLiteral("Pulse")), QLatin1String(n.pulse));
    c.biswitch = named(new QRadioButton(QStringLiteral("Biswitch")), QLatin1String(n.biswitch));
    c.duration = named(new QLabel(QStringLiteral("Duration:")), labelName("Label64", i));
    c.length = named(new QTimeEdit, QLatin1String(n.length));
    c.unit = named(new QLabel(QStringLiteral("val:min:sec")), labelName("Label65", i));
    c.siren = named(new QCheckBox(QStringLiteral("Siren confirmation")), QLatin1String(n.siren));
    c.inversion = named(new QCheckBox(QStringLiteral("Inversion")), QLatin1String(n.inversion));

    auto *kind = new QButtonGroup(c.group);
    kind->addButton(c.pulse);
    kind->addButton(c.biswitch);
    c.pulse->setChecked(true);
    c.length->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    c.length->setTimeRange(timeOfSeconds(MinPulseSeconds), timeOfSeconds(MaxPulseSeconds));
    c.length->setTime(timeOfSeconds(MinPulseSeconds));
    fillFunctionList(c.function);
    c.function->setCurrentIndex(0);

    auto *layout = new QGridLayout(c.group);
    layout->addWidget(c.parameters, 0, 0, 1, 3);
    layout->addWidget(c.function, 1, 0, 1, 3);
    layout->addWidget(c.pulse, 2, 0);
    layout->addWidget(c.biswitch, 2, 1, 1, 2);
    layout->addWidget(c.duration, 3, 0);
    layout->addWidget(c.length, 3, 1);
    layout->addWidget(c.unit, 3, 2);
    layout->addWidget(c.siren, 4, 0, 1, 3);
    layout->addWidget(c.inversion, 5, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(6, 1);
    c.siren->hide();

    connect(c.function, &QComboBox::activated, this, [this, i] { functionChosen(i); });
    for (QRadioButton *b : {c.pulse, c.biswitch}) {
        connect(b, &QRadioButton::clicked, this, [this, i] {
            pulseRule(i);
            commitOutput(i);
        });
    }
    connect(c.length, &QTimeEdit::timeChanged, this, [this, i] { commitOutput(i); });
    for (QCheckBox *b : {c.siren, c.inversion})
        connect(b, &QCheckBox::toggled, this, [this, i] { commitOutput(i); });
}

void TOutputsPage::fillFunctionList(QComboBox *list)
{
    const int shown = list->currentIndex();
    const QSignalBlocker quiet(list);
    list->clear();
    for (int code = 0; code < int(OutputFunctionMessages.size()); ++code)
        list->addItem(host().MessageW(OutputFunctionMessages[size_t(code)]), code);
    list->setCurrentIndex(shown < list->count() ? shown : -1);
}

bool TOutputsPage::reading() const
{
    const TYKT2 *driver = host().driver();
    return driver && driver->Reading();
}

int TOutputsPage::shownCode(int i) const
{
    const int index = m_out[size_t(i)].function->currentIndex();
    if (isOfferedFunction(index))
        return index;
    // A function the list does not offer stays the one read.
    return outputFunctionOf(host().model().outputs[size_t(i)].cr);
}

bool TOutputsPage::isManual(int output) const
{
    return output >= 0 && output < OutputCount &&
           m_out[size_t(output)].function->currentIndex() == ManualFunction;
}

// --- Show and commit ----------------------------------------------------------------

void TOutputsPage::ShowOutput(int i)
{
    if (i < 0 || i >= OutputCount)
        return;
    const OutputRecord &record = host().model().outputs[size_t(i)];
    const OutputCrFields fields = unpackOutputSettingsCR(record.cr);
    OutputControls &c = m_out[size_t(i)];
    m_showing = true;
    // A code the list does not offer (siren, arm status) selects nothing.
    setQuietly(c.function, isOfferedFunction(fields.function) ? fields.function : -1);
    m_lastChoice[size_t(i)] = c.function->currentIndex();
    {
        const QSignalBlocker quietPulse(c.pulse);
        const QSignalBlocker quietBiswitch(c.biswitch);
        (fields.pulse ? c.pulse : c.biswitch)->setChecked(true);
    }
    {
        const QSignalBlocker quiet(c.length);
        c.length->setTime(timeOfSeconds(clampPulseSeconds(record.impLength)));
    }
    setQuietly(c.siren, fields.sirenConfirmation);
    setQuietly(c.inversion, fields.inversion);
    m_showing = false;
}

void TOutputsPage::commitOutput(int i)
{
    if (m_showing)
        return;
    const OutputControls &c = m_out[size_t(i)];
    OutputCrFields fields;
    fields.function = shownCode(i);
    fields.pulse = c.pulse->isChecked();
    fields.sirenConfirmation = c.siren->isChecked();
    fields.inversion = c.inversion->isChecked();
    OutputRecord &record = host().model().outputs[size_t(i)];
    record.cr = packOutputSettingsCR(fields);
    record.impLength = quint16(clampPulseSeconds(secondsOfTime(c.length->time())));
}

void TOutputsPage::Show()
{
    m_timer4.stop();
    for (int i = 0; i < OutputCount; ++i)
        ShowOutput(i);
    ApplyAllOutputRules(false);
}

void TOutputsPage::Commit()
{
    for (int i = 0; i < OutputCount; ++i)
        commitOutput(i);
}

void TOutputsPage::AfterRead()
{
    // Timer4 has nothing left to do: the rules run here, with their question.
    m_timer4.stop();
    for (int i = 0; i < OutputCount; ++i)
        ShowOutput(i);
    ApplyAllOutputRules(true);
    SetOutputCaptions();
}

void TOutputsPage::onStored(quint8 answerType, int index)
{
    if (answerType != SettingsReceiver::OutputSetting)
        return;
    ShowOutput(index);
    if (index == LastOutput)
        m_timer4.start();
}

// --- The rules ----------------------------------------------------------------------

void TOutputsPage::functionChosen(int i)
{
    const int choice = m_out[size_t(i)].function->currentIndex();
    // The same entry chosen again is no change: nothing is asked again.
    if (choice == m_lastChoice[size_t(i)])
        return;
    m_lastChoice[size_t(i)] = choice;
    commitOutput(i);
    ApplyOutputRules(i, true);
}

void TOutputsPage::ApplyOutputRules(int i, bool mayAsk)
{
    if (i < 0 || i >= OutputCount)
        return;
    functionRule(i, mayAsk);
    pulseRule(i);
}

void TOutputsPage::ApplyAllOutputRules(bool mayAsk)
{
    for (int i = 0; i < OutputCount; ++i)
        ApplyOutputRules(i, mayAsk);
}

void TOutputsPage::functionRule(int i, bool mayAsk)
{
    OutputControls &c = m_out[size_t(i)];
    // 1.
    c.length->setMaximumTime(timeOfSeconds(MaxPulseSeconds));
    // 2. Numbers that may switch an output that is no longer "Manual".
    const bool manual = isManual(i);
    SettingsModel &model = host().model();
    if (!manual && mayAsk && !reading()) {
        const QList<int> records = recordsSwitching(model, i);
        if (!records.isEmpty()) {
            const QString text = host().MessageW(NoLongerManualMessage) + QStringLiteral("\n\n") +
                                 host().ToUnicode(switchingNumbers(model, records));
            const auto answer = host().ShowMessageBox(text, DialogSeam::Icon::Warning,
                                                      QMessageBox::Yes | QMessageBox::No);
            if (answer == QMessageBox::Yes && removeOutputFromRecords(model, i))
                host().announcer().announceEdit(SettingsAnnouncer::Area::RemoteControl);
        }
    }
    // 3.
    const int code = shownCode(i);
    if (isOfferedFunction(code) && !manual) {
        c.biswitch->setChecked(false);
        c.pulse->setChecked(true);
        c.biswitch->setEnabled(false);
    } else {
        c.biswitch->setEnabled(true);
    }
    // Siren confirmation belongs to the siren function only, which the list
    // does not offer: it shows for a siren output as read.
    c.siren->setVisible(code == SirenFunction && c.function->currentIndex() < 0);
    if (!m_showing)
        commitOutput(i);
    // 4, 5.
    emit functionsChanged();
}

void TOutputsPage::pulseRule(int i)
{
    OutputControls &c = m_out[size_t(i)];
    const bool pulse = c.pulse->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(c.duration), static_cast<QWidget *>(c.length),
                       static_cast<QWidget *>(c.unit)})
        w->setVisible(pulse);
}

// --- The window's rules -------------------------------------------------------------

void TOutputsPage::ApplyWorkMode(WorkMode mode)
{
    // The common state, then what the mode hides.
    for (int i = 0; i < OutputCount; ++i) {
        OutputControls &c = m_out[size_t(i)];
        fillFunctionList(c.function);
        setQuietly(c.function, 0);
        m_lastChoice[size_t(i)] = 0;
    }
    m_out[1].group->setVisible(mode != WorkMode::AdvancedCommunicator);
    for (int i = 0; i < OutputCount; ++i) {
        OutputControls &c = m_out[size_t(i)];
        c.biswitch->setEnabled(true);
        c.siren->hide();
        pulseRule(i);
    }
    emit functionsChanged();
}

void TOutputsPage::ApplyCapabilities(const ModuleContext &context)
{
    m_ykt3 = context.capabilities.ykt3Type;
    m_relayLess = context.capabilities.relayLess;
    for (int i = 2; i < OutputCount; ++i) {
        m_out[size_t(i)].group->setVisible(!m_relayLess);
        setNotApplicable(m_out[size_t(i)].group, m_relayLess);
    }
}

void TOutputsPage::SetOutputCaptions()
{
    const QString oc = host().MessageW(OcMessage);
    const QString relay = host().MessageW(RelayMessage);
    for (int i = 0; i < OutputCount; ++i)
        m_out[size_t(i)].group->setTitle(outputCaption(i, m_ykt3, oc, relay).group);
}

void TOutputsPage::ApplyLanguageTexts()
{
    OutputControls &first = m_out[0];
    first.unit->setText(host().MessageW(HourMessage) + QLatin1Char(':') +
                        host().MessageW(MinuteMessage) + QLatin1Char(':') +
                        host().MessageW(SecondMessage));
    for (int i = 1; i < OutputCount; ++i) {
        OutputControls &c = m_out[size_t(i)];
        c.pulse->setText(first.pulse->text());
        c.pulse->setToolTip(first.pulse->toolTip());
        c.biswitch->setText(first.biswitch->text());
        c.biswitch->setToolTip(first.biswitch->toolTip());
        c.duration->setText(first.duration->text());
        c.unit->setText(first.unit->text());
        c.siren->setText(first.siren->text());
        c.inversion->setText(first.inversion->text());
        c.parameters->setText(first.parameters->text());
    }
    // The lists in the new language, each keeping its function.
    for (OutputControls &c : m_out)
        fillFunctionList(c.function);
    SetOutputCaptions();
}

QList<QComboBox *> TOutputsPage::KeptSelections() const
{
    QList<QComboBox *> lists;
    for (const OutputControls &c : m_out)
        lists.append(c.function);
    return lists;
}

} // namespace ykt
