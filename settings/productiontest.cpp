#include "settings/productiontest.h"

#include "device/commands.h"

namespace ykt {

using namespace productiontest;

namespace {

constexpr int SMSTextWidth = 50;

const char *const StoredKeys[StoredNumberCount] = {"PhoneNumber1", "PhoneNumber2", "PhoneNumber3"};

QByteArray numbered(const MessageText &message, int number, int n)
{
    return (message ? message(number) : QByteArray()) + QByteArray::number(n);
}

} // namespace

bool IsListTestNumber(const QString &text)
{
    return text.size() == ListNumberLength;
}

QStringList TestNumbersFromSettings(const std::array<QByteArray, StoredNumberCount> &stored)
{
    QStringList list;
    for (const QByteArray &value : stored) {
        // Settings.ini is 8-bit; a test number is plain digits.
        const QString number = QString::fromLatin1(value);
        if (IsListTestNumber(number))
            list.append(number);
    }
    return list;
}

QList<std::pair<QByteArray, QByteArray>> TestNumbersToSave(const QStringList &items)
{
    QList<std::pair<QByteArray, QByteArray>> keys;
    for (int k = 0; k < StoredNumberCount && k < items.size(); ++k)
        if (IsListTestNumber(items.at(k)))
            keys.append({QByteArray(StoredKeys[k]), items.at(k).toLatin1()});
    return keys;
}

QList<SendStep> ApplyTestProgramming(SettingsModel &model, const QByteArray &number,
                                     int conversionType, const MessageText &message)
{
    PlanBuilder b(conversionType);

    PhoneRecord &user = model.phones[TestUser];
    user.number = number.left(PhoneRecord::MaxNumberLength);
    user.cr = user.number.isEmpty() ? 0 : TestUserPnCR;
    b.add(packets::phoneNumber(opcode::SetPhoneNumber, quint8(TestUser), user.cr, user.number),
          QStringLiteral("Phone number 1"), 0);

    for (int i = 0; i < SettingsModel::InputCount; ++i) {
        InputRecord &r = model.inputs[i];
        r.cr = TestInputCR;
        r.violations = 0;
        r.sensivity = TestInputSensivity;
        r.noSenseInterval = 0;
        r.cid = QByteArray(CIDBytes, '\0');
        r.smsText = numbered(message, InputSmsMessage, i + 1).left(SMSTextWidth);
        b.add(packets::inputSetting(quint8(i), r.cr, r.violations, r.sensivity, r.noSenseInterval,
                                    r.cid),
              QStringLiteral("Input %1").arg(i + 1), InputPauseMs);
        b.add(packets::indexedText(opcode::SetInputSMSText, quint8(i), SMSTextWidth,
                                   b.toModule(r.smsText)),
              QStringLiteral("Input SMS text %1").arg(i + 1), InputPauseMs);
    }

    for (const TestName &n : TestNames) {
        QByteArray &name = model.texts.itemNames[size_t(n.fdNr - 1)][size_t(n.idx)];
        name = numbered(message, n.message, 1).left(NameLength);
        b.add(packets::itemName(quint8(n.fdNr), quint8(n.idx), b.toModule(name)),
              QStringLiteral("Name %1/%2").arg(n.fdNr).arg(n.idx), 0);
    }

    b.add(packets::endExchange(true), QStringLiteral("End of exchange"), 0);
    return b.take();
}

} // namespace ykt
