#include "settings/outputfields.h"

#include <algorithm>

namespace ykt {

namespace {

constexpr int FirstListedRecord = SettingsModel::FirstRemoteControlRecord;
constexpr int LastListedRecord = SettingsModel::PhoneRecordCount - 1;

} // namespace

int clampPulseSeconds(int seconds)
{
    return std::clamp(seconds, MinPulseSeconds, MaxPulseSeconds);
}

quint16 sentImpLength(quint8 cr, quint16 impLength)
{
    if (outputFunctionOf(cr) != ArmStatusFunction)
        return impLength;
    return quint16(std::min<quint32>(quint32(impLength) * 2, MaxPulseSeconds));
}

OutputCaption outputCaption(int output, bool ykt3, const QString &prefixOc,
                            const QString &prefixRelay)
{
    const bool relay = output >= 2;
    const QString &prefix = relay && ykt3 ? prefixRelay : prefixOc;
    const int shown = relay && ykt3 ? output - 1 : output + 1;
    const QString number = QString::number(shown);
    return {prefix + QLatin1Char(' ') + number,
            prefix + QLatin1Char(' ') + number + QStringLiteral(" (%1)").arg(output + 1)};
}

QString outputsText(quint8 pgmPnCr)
{
    QString text;
    for (int output = 0; output < SettingsModel::OutputCount; ++output) {
        if (pgmPnCr & outputMaskBit(output))
            text += QString::number(output + 1) + QLatin1Char(',');
    }
    return text;
}

QList<int> recordsSwitching(const SettingsModel &model, int output)
{
    QList<int> records;
    if (output < 0 || output >= SettingsModel::OutputCount)
        return records;
    for (int r = FirstListedRecord; r <= LastListedRecord; ++r) {
        if (model.phones[size_t(r)].cr & outputMaskBit(output))
            records.append(r);
    }
    return records;
}

QByteArray switchingNumbers(const SettingsModel &model, const QList<int> &records)
{
    QByteArray list;
    for (int r : records)
        list += model.phones[size_t(r)].number + "; ";
    return list;
}

bool removeOutputFromRecords(SettingsModel &model, int output)
{
    bool changed = false;
    for (int r : recordsSwitching(model, output)) {
        PhoneRecord &record = model.phones[size_t(r)];
        record.cr &= quint8(~outputMaskBit(output));
        if (record.cr == 0)
            record.number.clear();
        changed = true;
    }
    return changed;
}

QByteArray numberDigits(const QByteArray &number)
{
    QByteArray digits;
    for (char c : number) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    return digits;
}

RemoteEntryRefusal checkRemoteEntry(const SettingsModel &model, int record,
                                    const QByteArray &number, quint8 mask, bool checkDuplicates)
{
    if (number.isEmpty())
        return RemoteEntryRefusal::None;
    if (mask == 0)
        return RemoteEntryRefusal::NoOutput;
    if (!checkDuplicates)
        return RemoteEntryRefusal::None;
    const QByteArray digits = numberDigits(number);
    for (int r = FirstListedRecord; r <= LastListedRecord; ++r) {
        const QByteArray &other = model.phones[size_t(r)].number;
        if (r != record && !other.isEmpty() && numberDigits(other) == digits)
            return RemoteEntryRefusal::Duplicate;
    }
    return RemoteEntryRefusal::None;
}

} // namespace ykt
