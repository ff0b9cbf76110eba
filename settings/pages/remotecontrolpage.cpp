#include "settings/pages/remotecontrolpage.h"

#include "settings/outputfields.h"
#include "settings/pages/digitfield.h"
#include "settings/pages/notapplicable.h"
#include "settings/pages/outputspage.h"
#include "settings/pages/pagehost.h"
#include "settings/registers.h"
#include "settings/settingsannouncer.h"
#include "settings/settingsmodel.h"
#include "settings/settingsreceiver.h"
#include "wizard/pagelist.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ykt {

namespace {

constexpr int EntryCount = SettingsModel::RemoteControlCount;
constexpr int FirstRecord = SettingsModel::FirstRemoteControlRecord;
constexpr int NoOutputMessage = 108;
constexpr int DuplicateMessage = 81;
constexpr int HeaderMessages[3] = {40, 41, 42};
constexpr int ColumnWidths[3] = {30, 139, 128};
constexpr int OcMessage = 87;
constexpr int RelayMessage = 88;

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

TRemoteControlPage::TRemoteControlPage(PageHost &host, const TOutputsPage &outputs, QWidget *parent)
    : TConfigPage(host, OutputsControlPageIndex, parent), m_outputs(outputs)
{
    setObjectName(QStringLiteral("TRemoteControlPage"));
    auto *panel = named(new QFrame(this), "TntPanel16");
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->addWidget(panel);
    auto *group = named(
        new QGroupBox(QStringLiteral("Outputs controlling phone list (with function \"Manual\" "
                                     "only)"),
                      panel),
        "TntGroupBoxRemoteList");
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(group);

    m_list = named(new QTableWidget(EntryCount, 3), "StringGrid2");
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(20);
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("No."), QStringLiteral("Phone number"), QStringLiteral("Outputs")});
    for (int c = 0; c < 3; ++c)
        m_list->setColumnWidth(c, ColumnWidths[c]);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setMinimumWidth(ColumnWidths[0] + ColumnWidths[1] + ColumnWidths[2] + 24);
    for (int r = 0; r < EntryCount; ++r) {
        for (int c = 0; c < 3; ++c)
            m_list->setItem(r, c, new QTableWidgetItem);
        m_list->item(r, NoColumn)->setText(QString::number(r + 1));
    }

    auto *editor = new QGridLayout;
    editor->addWidget(named(new QLabel(QStringLiteral("Phone number:")), "TntLabelRemotePhone"), 0,
                      0, 1, 2);
    editor->addWidget(named(new QLabel(QStringLiteral("+")), "TntLabelRemotePlus"), 1, 0);
    m_number = named(new QLineEdit, "Edit12");
    makeDigitField(m_number, PhoneRecord::MaxNumberLength);
    editor->addWidget(m_number, 1, 1);
    editor->addWidget(named(new QLabel(QStringLiteral("Outputs with the function \"Manual\":")),
                            "TntLabelRemoteOutputs"),
                      2, 0, 1, 2);
    for (int i = 0; i < 4; ++i) {
        m_boxes[size_t(i)] = named(new QCheckBox(QLatin1String(RemoteOutputBoxCaptions[size_t(i)])),
                                   RemoteOutputBoxNames[size_t(i)]);
        editor->addWidget(m_boxes[size_t(i)], 3 + i, 0, 1, 2);
    }
    auto *buttons = new QHBoxLayout;
    m_save = named(new QPushButton(QStringLiteral("Save")), "TntButton16");
    m_delete = named(new QPushButton(QStringLiteral("Delete")), "TntButton17");
    buttons->addWidget(m_save);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    editor->addLayout(buttons, 7, 0, 1, 2);
    editor->setRowStretch(8, 1);
    editor->setColumnStretch(1, 1);

    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(m_list, 3);
    groupLayout->addLayout(editor, 2);

    connect(m_list, &QTableWidget::currentCellChanged, this, [this](int r, int, int previous, int) {
        if (r >= 0 && r != previous)
            SelectEntry(r);
    });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int r) { SelectEntry(r, true); });
    connect(m_save, &QPushButton::clicked, this, &TRemoteControlPage::SaveEntry);
    connect(m_delete, &QPushButton::clicked, this, &TRemoteControlPage::DeleteEntry);
    connect(&outputs, &TOutputsPage::functionsChanged, this, &TRemoteControlPage::outputsChanged);
    connect(&host.announcer(), &SettingsAnnouncer::stored, this, &TRemoteControlPage::onStored);
    connect(&host.announcer(), &SettingsAnnouncer::edited, this, [this](auto area) {
        if (area == SettingsAnnouncer::Area::RemoteControl) {
            FillList();
            SelectEntry(m_row);
        }
    });
    outputsChanged();
}

bool TRemoteControlPage::serviceMode() const
{
    return host().serviceMode();
}

// --- The list -----------------------------------------------------------------------

void TRemoteControlPage::showRow(int row)
{
    const PhoneRecord &record = host().model().phones[size_t(FirstRecord + row)];
    m_list->item(row, NumberColumn)->setText(host().ToUnicode(record.number));
    m_list->item(row, OutputsColumn)->setText(outputsText(record.cr));
}

void TRemoteControlPage::FillList()
{
    for (int r = 0; r < EntryCount; ++r)
        showRow(r);
}

void TRemoteControlPage::SelectEntry(int row, bool focusField)
{
    if (row < 0 || row >= EntryCount)
        return;
    m_row = row;
    if (m_list->currentRow() != row) {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentCell(row, NoColumn);
    }
    const PhoneRecord &record = host().model().phones[size_t(FirstRecord + row)];
    for (int i = 0; i < SettingsModel::OutputCount; ++i) {
        QCheckBox *box = m_boxes[size_t(i)];
        box->setChecked(box->isEnabled() && (record.cr & outputMaskBit(i)));
    }
    m_number->setText(QString::fromLatin1(numberDigits(record.number)));
    if (focusField)
        m_number->setFocus();
}

void TRemoteControlPage::outputsChanged()
{
    for (int i = 0; i < SettingsModel::OutputCount; ++i)
        m_boxes[size_t(i)]->setEnabled(m_outputs.isManual(i));
    // The editor again for the selected entry, the selection where it was.
    SelectEntry(m_row);
}

void TRemoteControlPage::SaveEntry()
{
    const QByteArray number = m_number->text().toLatin1();
    std::array<bool, 4> ticked{};
    for (int i = 0; i < SettingsModel::OutputCount; ++i)
        ticked[size_t(i)] = m_boxes[size_t(i)]->isChecked();
    const quint8 mask = packPGMPnCR(ticked);
    const int recordIndex = FirstRecord + m_row;
    SettingsModel &model = host().model();
    switch (checkRemoteEntry(model, recordIndex, number, mask, !serviceMode())) {
    case RemoteEntryRefusal::NoOutput:
        host().ShowMessageBox(host().MessageW(NoOutputMessage), DialogSeam::Icon::Error);
        return;
    case RemoteEntryRefusal::Duplicate:
        host().ShowMessageBox(host().MessageW(DuplicateMessage), DialogSeam::Icon::Error);
        m_number->setFocus();
        m_number->selectAll();
        return;
    case RemoteEntryRefusal::None:
        break;
    }
    PhoneRecord &record = model.phones[size_t(recordIndex)];
    record.number = number;
    record.cr = number.isEmpty() ? 0 : mask;
    FillList();
    host().announcer().announceEdit(SettingsAnnouncer::Area::RemoteControl);
}

void TRemoteControlPage::DeleteEntry()
{
    PhoneRecord &record = host().model().phones[size_t(FirstRecord + m_row)];
    record.number.clear();
    record.cr = 0;
    FillList();
    SelectEntry(m_row);
    host().announcer().announceEdit(SettingsAnnouncer::Area::RemoteControl);
}

// --- The model ----------------------------------------------------------------------

void TRemoteControlPage::Show()
{
    FillList();
    SelectEntry(0);
}

void TRemoteControlPage::onStored(quint8 answerType, int index)
{
    if (answerType != SettingsReceiver::PGMPhoneNumber || index < 0 || index >= EntryCount)
        return;
    showRow(index);
    if (index == EntryCount - 1) {
        FillList();
        SelectEntry(0);
    }
}

// --- The window's rules -------------------------------------------------------------

void TRemoteControlPage::AfterRead()
{
    SetOutputCaptions();
}

void TRemoteControlPage::ApplyWorkMode(WorkMode mode)
{
    m_boxes[1]->setVisible(mode != WorkMode::AdvancedCommunicator);
}

void TRemoteControlPage::ApplyCapabilities(const ModuleContext &context)
{
    m_ykt3 = context.capabilities.ykt3Type;
    for (int i = 2; i < SettingsModel::OutputCount; ++i) {
        m_boxes[size_t(i)]->setVisible(!context.capabilities.relayLess);
        setNotApplicable(m_boxes[size_t(i)], context.capabilities.relayLess);
    }
}

void TRemoteControlPage::SetOutputCaptions()
{
    const QString oc = host().MessageW(OcMessage);
    const QString relay = host().MessageW(RelayMessage);
    for (int i = 0; i < SettingsModel::OutputCount; ++i)
        m_boxes[size_t(i)]->setText(outputCaption(i, m_ykt3, oc, relay).remote);
}

void TRemoteControlPage::ApplyLanguageTexts()
{
    QStringList header;
    for (int n : HeaderMessages)
        header.append(host().MessageW(n));
    m_list->setHorizontalHeaderLabels(header);
    SetOutputCaptions();
}

} // namespace ykt
