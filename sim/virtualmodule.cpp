#include "sim/virtualmodule.h"

#include "sim/factorysettings.h"
#include "sim/memoryfile.h"
#include "util/logging.h"

namespace ykt::sim {

namespace {

constexpr int DataSize = 63;

QByteArray trimmedRight(QByteArray text)
{
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

quint32 bigEndian32(const QByteArray &b, int at)
{
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = v << 8 | quint8(at + i < b.size() ? b[at + i] : 0);
    return v;
}

} // namespace

VirtualModule::VirtualModule(const Options &options)
    : m_options(options), m_store(factorySettings(options.profile)), m_modem(options.seed),
      m_random(options.seed)
{
    if (!m_options.memoryFile.isEmpty()) {
        QString error;
        const MemoryLoad loaded =
            loadMemoryFile(m_options.memoryFile, m_options.profile, m_store, &error);
        m_memoryWritable = loaded != MemoryLoad::NotOurs;
        if (!error.isEmpty()) {
            m_memoryProblem = error;
            qCWarning(lcHid).noquote() << "virtual module:" << error;
        }
    }
    // What the installer left in the module before it was plugged in here.
    if (m_options.usbPassword && m_store.contains(0x07))
        m_store.put(0x07, 0, 0, paddedText(*m_options.usbPassword, 16));
    quint32 ykt2cr = storedU32(0x0A);
    if (m_options.passwordOnConnect)
        ykt2cr |= PasswordOnConnectBit;
    if (m_options.lockGprsSettings)
        ykt2cr |= GprsLockBit;
    QByteArray cr(4, '\0');
    for (int i = 0; i < 4; ++i)
        cr[i] = char(ykt2cr >> (24 - 8 * i));
    m_store.put(0x0A, 0, 0, cr);
    powerUp();
}

VirtualModule::~VirtualModule()
{
    saveMemory();
}

void VirtualModule::saveMemory()
{
    if (m_options.memoryFile.isEmpty() || !m_memoryChanged || !m_memoryWritable)
        return;
    QString error;
    if (saveMemoryFile(m_options.memoryFile, m_store, &error)) {
        m_memoryChanged = false;
    } else {
        m_memoryProblem = error;
        qCWarning(lcHid).noquote() << "virtual module: memory not saved:" << error;
    }
}

void VirtualModule::powerUp()
{
    m_packets = 0;
    m_reads = 0;
    m_outstanding = 0;
    m_stuckBusy = false;
    m_error = false;
    m_sequence = 0;
    m_lastTrafficMs = -1;
    // Without a password the module has nothing to ask for or to protect with.
    const bool hasPassword = !storedText(0x07).isEmpty();
    const quint32 ykt2cr = storedU32(0x0A);
    m_passwordRequired = hasPassword && (ykt2cr & PasswordOnConnectBit);
    m_locked = hasPassword && (ykt2cr & GprsLockBit);
    m_modem.powerUp();
}

void VirtualModule::setFaults(const Faults &faults)
{
    m_options.faults = faults;
    m_packets = 0;
    m_reads = 0;
    m_stuckBusy = false;
}

quint8 VirtualModule::status(bool monitoring) const
{
    quint8 s = m_sequence & 3;
    if (m_stuckBusy || m_outstanding > 0)
        s |= StatusBusy;
    if (m_error)
        s |= StatusError;
    if (monitoring)
        s |= StatusMonitoring;
    if (m_passwordRequired)
        s |= StatusPassword;
    if (m_locked)
        s |= StatusLocked;
    return s;
}

QByteArray VirtualModule::storedText(int item, int index, int sub) const
{
    const ItemLayout *layout = itemLayout(item);
    const auto record = m_store.get(item, index, sub);
    if (!layout || !record || layout->textOffset < 0)
        return {};
    QByteArray text = record->mid(layout->textOffset, layout->textWidth);
    while (!text.isEmpty() && text.back() == layout->textPad)
        text.chop(1);
    return text;
}

quint32 VirtualModule::storedU32(int item) const
{
    const auto record = m_store.get(item);
    return record ? bigEndian32(*record, 0) : 0;
}

Reaction VirtualModule::receive(const QByteArray &received)
{
    Reaction reaction;
    const QByteArray packet = paddedText(received, DataSize, '\0');
    const quint8 opcode = quint8(packet[0]);
    const Faults &f = m_options.faults;
    ++m_packets;
    const bool isRead = opcode >= 0x80;
    if (isRead)
        ++m_reads;

    if (f.unplugAt && m_packets == f.unplugAt) {
        reaction.unplug = true;
        return reaction;
    }
    if (f.stuckBusyFrom && m_packets >= f.stuckBusyFrom)
        m_stuckBusy = true;
    ++m_outstanding;
    reaction.delayMs = f.delayMs;

    std::optional<QByteArray> answered;
    if (isRead) {
        // Reads wait for the USB password like everything else.
        if (!m_passwordRequired)
            answered = answer(packet);
    } else if (opcode <= 0x1F) {
        if (!m_passwordRequired)
            write(packet);
    } else if (opcode == 0x40 || opcode == 0x41) {
        ++m_exchangesEnded;
        saveMemory();
    } else if (opcode == 0x42) {
        submitPassword(packet.mid(1, 16));
    } else if (opcode == 0x43) {
        if (quint8(packet[1]) < 24)
            m_clockHour = quint8(packet[1]);
    }

    if (answered && f.dropAnswer && m_reads == f.dropAnswer)
        answered.reset();
    if (answered) {
        if (f.garbageAt && m_reads == f.garbageAt) {
            PendingReport garbage;
            garbage.kind = PendingReport::Kind::Garbage;
            garbage.endsPacket = false;
            garbage.body.resize(DataSize);
            for (char &c : garbage.body)
                c = char(m_random() & 0xFF);
            reaction.reports.append(garbage);
        }
        PendingReport message;
        message.kind = PendingReport::Kind::Message;
        message.body = *answered;
        if (f.shortReportAt && m_reads == f.shortReportAt)
            message.length = 4;
        message.repeatSequence = f.repeatSequenceAt && m_reads == f.repeatSequenceAt;
        reaction.reports.append(message);
    } else {
        reaction.reports.append(PendingReport{});
    }
    return reaction;
}

QByteArray VirtualModule::take(const PendingReport &report)
{
    if (report.endsPacket && m_outstanding > 0)
        --m_outstanding;
    if (report.kind == PendingReport::Kind::Garbage)
        return report.body.left(DataSize);

    QByteArray out(DataSize, '\0');
    if (report.kind == PendingReport::Kind::Message) {
        if (!report.repeatSequence)
            m_sequence = (m_sequence + 1) & 3;
        out.replace(1, DataSize - 1, paddedText(report.body, DataSize - 1, '\0'));
    }
    out[0] = char(status());
    return out.left(report.length);
}

QByteArray VirtualModule::stateReport(qint64 nowMs)
{
    const int interval = m_options.trafficIntervalMs;
    if (interval > 0 && (m_lastTrafficMs < 0 || nowMs - m_lastTrafficMs >= interval)) {
        m_lastTrafficMs = nowMs;
        ModemTraffic::Setup setup;
        setup.apn = storedText(0x01);
        setup.address = storedText(0x00);
        m_modem.nextLine(setup);
    }
    QByteArray out(1, char(status(true)));
    out += m_modem.stateBlock();
    return paddedText(out, DataSize, '\0');
}

void VirtualModule::write(const QByteArray &packet)
{
    const int item = quint8(packet[0]);
    const ItemLayout *layout = itemLayout(item);
    if (!layout || layout->readOnly || !profile().hasItem(item))
        return;
    if (m_locked && layout->locked)
        return;
    int index = 0;
    int sub = 0;
    if (layout->key == ItemKey::Index) {
        index = quint8(packet[1]);
        if (index >= layout->records)
            return;
    } else if (layout->key == ItemKey::GroupAndIndex) {
        index = quint8(packet[1]);
        sub = quint8(packet[2]);
        if (sub >= profile().itemNameCount(index))
            return;
    }
    m_store.put(item, index, sub, packet.mid(1));
    m_memoryChanged = true;
}

std::optional<QByteArray> VirtualModule::answer(const QByteArray &packet) const
{
    const int type = quint8(packet[0]);
    const int item = type - 0x80;
    const ItemLayout *layout = itemLayout(item);
    if (!layout || !profile().answersItem(item))
        return std::nullopt;
    int index = 0;
    int sub = 0;
    if (layout->key == ItemKey::Index) {
        index = quint8(packet[1]);
    } else if (layout->key == ItemKey::GroupAndIndex) {
        index = quint8(packet[1]);
        sub = quint8(packet[2]);
    }
    std::optional<QByteArray> record = m_store.get(item, index, sub);
    if (!record)
        return std::nullopt;
    if (m_locked && layout->hidden)
        record = blankContents(*layout, *record);
    // The answer is one byte shorter than the write: type and 61 bytes.
    return QByteArray(1, char(type)) + record->left(DataSize - 2);
}

void VirtualModule::submitPassword(const QByteArray &text)
{
    const QByteArray password = storedText(0x07);
    const bool right = !password.isEmpty() && trimmedRight(text) == password;
    if (m_passwordRequired) {
        // A wrong USB password just leaves the module asking.
        if (right)
            m_passwordRequired = false;
        return;
    }
    if (m_locked) {
        m_error = !right;
        if (right)
            m_locked = false;
    }
}

} // namespace ykt::sim
