#include "app/forms/logpage.h"

#include "app/forms/lamp.h"
#include "app/modemstate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ykt {

namespace {

struct BitLamp
{
    int bit;
    const char *name;
    const char *caption;
};

// "MC55i Flags", in the order they are shown.
const BitLamp ModemFlags[] = {
    {ModemPoweredUpBit, "VrLedPoweredUp", "Powered Up"},
    {ModemPresentBit, "VrLedPresent", "Present"},
    {ModemSettedUpBit, "VrLedSettedUp", "Setted Up"},
    {GsmAttachedBit, "VrLedGSMAttached", "GSM Attached"},
    {OpeningConnectionBit, "VrLedOpening", "Opening connection"},
    {ModemConnectedBit, "VrLedConnected", "Connected"},
    {TcpSendingBit, "VrLedTCPSending", "TCP Sending"},
};

// "MC55i Control": one row per operation, Request and Process on the same bit.
const BitLamp ModemControl[] = {
    {6, "CheckPresent", "CheckPresent"}, {0, "Setup", "Setup"},
    {1, "GetFlags", "GetFlags"},         {5, "Reset", "Reset"},
    {2, "Connect", "Connect"},           {4, "TCPSend", "TCP send"},
    {7, "ReadData", "Read Data"},        {3, "Disconnect", "Disconnect"},
};

const BitLamp TcpEngine[] = {
    {TcpConnectingBit, "VrLedTCPConnecting", "Connecting"},
    {TcpConnectedBit, "VrLedTCPConnected", "Connected"},
    {TcpSendingDataBit, "VrLedTCPSendingData", "Sending"},
    {TcpMessageSentBit, "VrLedTCPMessageSent", "MessageSent"},
};

QGroupBox *group(QWidget *parent, const char *objectName, const char *title)
{
    auto *box = new QGroupBox(QLatin1String(title), parent);
    box->setObjectName(QLatin1String(objectName));
    return box;
}

QLabel *label(QWidget *parent, const char *objectName, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(objectName));
    return l;
}

void light(const QList<std::pair<Lamp *, int>> &lamps, quint32 value)
{
    for (const auto &[lamp, bit] : lamps)
        lamp->setLit(stateBitSet(value, bit));
}

} // namespace

Lamp *TLogPage::addLamp(QWidget *parent, const char *objectName, const char *caption)
{
    auto *lamp = new Lamp(QLatin1String(caption), parent);
    lamp->setObjectName(QLatin1String(objectName));
    m_lamps.append(lamp);
    return lamp;
}

TLogPage::TLogPage(QWidget *parent) : QWidget(parent)
{
    QGroupBox *status = group(this, "TntGroupBoxStatus", "Status");

    QGroupBox *flags = group(status, "TntGroupBoxModemFlags", "MC55i Flags");
    auto *flagsLayout = new QVBoxLayout(flags);
    for (const BitLamp &b : ModemFlags) {
        Lamp *l = addLamp(flags, b.name, b.caption);
        flagsLayout->addWidget(l);
        m_flagLamps.append({l, b.bit});
    }
    flagsLayout->addStretch();

    QGroupBox *control = group(status, "TntGroupBoxModemControl", "MC55i Control");
    auto *controlLayout = new QGridLayout(control);
    controlLayout->addWidget(label(control, "TntLabelRequest", QStringLiteral("Request")), 0, 1);
    controlLayout->addWidget(label(control, "TntLabelProcess", QStringLiteral("Process")), 0, 2);
    int row = 1;
    for (const BitLamp &b : ModemControl) {
        const QByteArray name = b.name;
        controlLayout->addWidget(
            label(control, QByteArray("TntLabel" + name).constData(), QLatin1String(b.caption)),
            row, 0);
        Lamp *request = addLamp(control, QByteArray("VrLedRequest" + name).constData(), "");
        Lamp *process = addLamp(control, QByteArray("VrLedProcess" + name).constData(), "");
        controlLayout->addWidget(request, row, 1, Qt::AlignHCenter);
        controlLayout->addWidget(process, row, 2, Qt::AlignHCenter);
        m_requestLamps.append({request, b.bit});
        m_processLamps.append({process, b.bit});
        ++row;
    }

    QGroupBox *tcp = group(status, "TntGroupBoxTCPEngine", "TCP Engine");
    auto *tcpLayout = new QGridLayout(tcp);
    row = 0;
    for (const BitLamp &b : TcpEngine) {
        Lamp *l = addLamp(tcp, b.name, b.caption);
        tcpLayout->addWidget(l, row++, 0, 1, 2);
        m_tcpLamps.append({l, b.bit});
    }
    m_bufferCount = label(tcp, "TntLabelBufferCount", QStringLiteral("0"));
    m_sentCount = label(tcp, "TntLabelSentCount", QStringLiteral("0"));
    tcpLayout->addWidget(label(tcp, "TntLabelBuffer", QStringLiteral("Buffer message count:")), row,
                         0);
    tcpLayout->addWidget(m_bufferCount, row++, 1);
    tcpLayout->addWidget(label(tcp, "TntLabelSent", QStringLiteral("Sent message count:")), row, 0);
    tcpLayout->addWidget(m_sentCount, row++, 1);

    QGroupBox *ykt2 = group(status, "TntGroupBoxYKT2Flags", "YKT2 Flags");
    auto *ykt2Layout = new QVBoxLayout(ykt2);
    m_busy = addLamp(ykt2, "VrLedBusy", "Busy");
    m_busy->setColor(QColor(230, 160, 0));
    m_monitoring = addLamp(ykt2, "VrLedMonitoring", "Monitoring");
    m_error = addLamp(ykt2, "VrLedError", "Error");
    m_error->setColor(QColor(220, 0, 0));
    ykt2Layout->addWidget(m_busy);
    ykt2Layout->addWidget(m_monitoring);
    ykt2Layout->addWidget(m_error);
    ykt2Layout->addWidget(label(ykt2, "TntLabelGSMSignal", QStringLiteral("GSM signal")));
    m_level = new QProgressBar(ykt2);
    m_level->setObjectName(QStringLiteral("VrLevelBar1"));
    m_level->setRange(0, 15);
    m_level->setValue(0);
    m_level->setFormat(QStringLiteral("%v"));
    ykt2Layout->addWidget(m_level);
    ykt2Layout->addStretch();

    auto *statusLayout = new QHBoxLayout(status);
    statusLayout->addWidget(flags);
    statusLayout->addWidget(control);
    statusLayout->addWidget(tcp);
    statusLayout->addWidget(ykt2);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("TntMemoLog"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The list of the whole run is kept elsewhere; the memo shows the recent part.
    m_memo->setMaximumBlockCount(20000);

    m_lock = new QCheckBox(QStringLiteral("Lock"), this);
    m_lock->setObjectName(QStringLiteral("TntCheckBoxLock"));
    m_registers = new QCheckBox(QStringLiteral("Put Registers into LOG"), this);
    m_registers->setObjectName(QStringLiteral("TntCheckBoxRegisters"));
    auto *clear = new QPushButton(QStringLiteral("Clear"), this);
    clear->setObjectName(QStringLiteral("TntButtonClearLog"));
    auto *read = new QPushButton(QStringLiteral("Read YKT3 Settings"), this);
    read->setObjectName(QStringLiteral("TntButton19"));
    connect(clear, &QPushButton::clicked, m_memo, &QPlainTextEdit::clear);
    connect(read, &QPushButton::clicked, this, &TLogPage::readRequested);
    auto *compsOk = new QPushButton(QStringLiteral("Comps OK?"), this);
    compsOk->setObjectName(QStringLiteral("TntButtonCompsOK"));
    auto *generate = new QPushButton(QStringLiteral("Generate LangFile"), this);
    generate->setObjectName(QStringLiteral("TntButtonGenerateLangFile"));
    connect(compsOk, &QPushButton::clicked, this, &TLogPage::checkLanguageRequested);
    connect(generate, &QPushButton::clicked, this, &TLogPage::generateTemplateRequested);

    // Production test: not translated, the texts stay as they are.
    QGroupBox *testing = group(this, "TntGroupBox3", "Testavimas");
    m_testNumbers = new QComboBox(testing);
    m_testNumbers->setObjectName(QStringLiteral("TntComboBox1"));
    m_testNumbers->setEditable(true);
    m_testNumbers->setInsertPolicy(QComboBox::NoInsert);
    m_testNumbers->setMinimumContentsLength(15);
    auto *addNumber = new QPushButton(QStringLiteral("Itraukti Nr."), testing);
    addNumber->setObjectName(QStringLiteral("TntButton28"));
    auto *program = new QPushButton(QStringLiteral("Programuoti testavimui"), testing);
    program->setObjectName(QStringLiteral("TntButton25"));
    connect(addNumber, &QPushButton::clicked, this, &TLogPage::addTestNumberRequested);
    connect(program, &QPushButton::clicked, this, &TLogPage::testProgrammingRequested);
    auto *testingLayout = new QHBoxLayout(testing);
    testingLayout->addWidget(m_testNumbers);
    testingLayout->addWidget(addNumber);
    testingLayout->addWidget(program);
    testingLayout->addStretch();

    auto *options = new QHBoxLayout;
    options->addWidget(m_lock);
    options->addWidget(m_registers);
    options->addStretch();
    options->addWidget(compsOk);
    options->addWidget(generate);
    options->addWidget(clear);
    options->addWidget(read);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(status);
    layout->addWidget(testing);
    layout->addLayout(options);
    layout->addWidget(m_memo, 1);
}

void TLogPage::showState(const ModemRegisters &r, quint8 outBufMessCount, quint8 sentCounter)
{
    light(m_flagLamps, r.mc55iFlags);
    light(m_requestLamps, r.mc55iCR);
    light(m_processLamps, r.mc55iSR);
    light(m_tcpLamps, r.tcpsr);
    m_level->setValue(gsmSignalLevel(r.tcpsr));
    m_bufferCount->setText(QString::number(outBufMessCount));
    m_sentCount->setText(QString::number(sentCounter));
}

void TLogPage::showDriverFlags(bool busy, bool monitoring, bool error)
{
    m_busy->setLit(busy);
    m_monitoring->setLit(monitoring);
    m_error->setLit(error);
}

void TLogPage::switchOffStatus()
{
    for (Lamp *l : std::as_const(m_lamps))
        l->setLit(false);
}

bool TLogPage::locked() const
{
    return m_lock->isChecked();
}

bool TLogPage::putRegisters() const
{
    return m_registers->isChecked();
}

void TLogPage::appendToMemo(const QByteArray &line)
{
    // A line with the register prefix holds CR LF and shows as two lines.
    const QList<QByteArray> parts = line.split('\n');
    for (QByteArray part : parts) {
        if (part.endsWith('\r'))
            part.chop(1);
        m_memo->appendPlainText(QString::fromLatin1(part));
    }
}

Lamp *TLogPage::lamp(const QString &objectName) const
{
    for (Lamp *l : m_lamps)
        if (l->objectName().compare(objectName, Qt::CaseInsensitive) == 0)
            return l;
    return nullptr;
}

} // namespace ykt
