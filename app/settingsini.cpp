#include "app/settingsini.h"

#include "util/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>

namespace ykt {

namespace {

// Far above any Settings.ini; a larger file is not ours.
constexpr qint64 kMaxFileSize = qint64(16) * 1024 * 1024;

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray trimmed(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool sameName(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype k = 0; k < a.size(); ++k) {
        if (asciiLower(a.at(k)) != asciiLower(b.at(k)))
            return false;
    }
    return true;
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

} // namespace

IniFile::Line IniFile::parseLine(const QByteArray &text, bool first)
{
    Line line;
    line.text = text;
    QByteArray body = text;
    if (first && body.startsWith(kUtf8Bom))
        body.remove(0, kUtf8Bom.size());

    qsizetype start = 0;
    while (start < body.size() && isBlank(body.at(start)))
        ++start;
    if (start == body.size() || body.at(start) == ';')
        return line;

    if (body.at(start) == '[') {
        const qsizetype close = body.indexOf(']', start + 1);
        if (close >= 0) {
            line.kind = Kind::Section;
            line.name = trimmed(body.mid(start + 1, close - start - 1));
        }
        return line;
    }

    const qsizetype equals = body.indexOf('=', start);
    if (equals < 0)
        return line;
    const QByteArray key = trimmed(body.mid(start, equals - start));
    if (key.isEmpty())
        return line;
    line.kind = Kind::Entry;
    line.name = key;
    line.value = trimmed(body.mid(equals + 1));
    return line;
}

IniFile IniFile::fromBytes(const QByteArray &bytes)
{
    IniFile ini;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        qsizetype textEnd = end;
        if (textEnd > start && bytes.at(textEnd - 1) == '\r')
            --textEnd;
        ini.m_lines.append(parseLine(bytes.mid(start, textEnd - start), ini.m_lines.isEmpty()));
        start = end + 1;
    }
    return ini;
}

bool IniFile::load(const QString &path, QString *error)
{
    m_lines.clear();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (!info.isFile()) {
        setError(error, QStringLiteral("Cannot read %1: it is not a regular file").arg(shown));
        return false;
    }
    if (info.size() > kMaxFileSize) {
        setError(
            error,
            QStringLiteral("Cannot read %1: %2 bytes is too large").arg(shown).arg(info.size()));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(shown, file.errorString()));
        return false;
    }
    if (bytes.size() > kMaxFileSize) {
        setError(error, QStringLiteral("Cannot read %1: the file is too large").arg(shown));
        return false;
    }
    *this = fromBytes(bytes);
    return true;
}

QByteArray IniFile::toBytes() const
{
    QByteArray bytes;
    for (const Line &line : m_lines) {
        bytes += line.text;
        bytes += "\r\n";
    }
    return bytes;
}

bool IniFile::save(const QString &path, QString *error) const
{
    return saveFileAtomically(path, toBytes(), error);
}

bool IniFile::findSection(const QByteArray &name, qsizetype *begin, qsizetype *end) const
{
    if (name.isEmpty())
        return false;
    for (qsizetype k = 0; k < m_lines.size(); ++k) {
        if (m_lines.at(k).kind != Kind::Section || !sameName(m_lines.at(k).name, name))
            continue;
        qsizetype last = k + 1;
        while (last < m_lines.size() && m_lines.at(last).kind != Kind::Section)
            ++last;
        *begin = k;
        *end = last;
        return true;
    }
    return false;
}

qsizetype IniFile::findEntry(const QByteArray &section, const QByteArray &key) const
{
    qsizetype begin = 0;
    qsizetype end = 0;
    if (key.isEmpty() || !findSection(section, &begin, &end))
        return -1;
    for (qsizetype k = begin + 1; k < end; ++k) {
        if (m_lines.at(k).kind == Kind::Entry && sameName(m_lines.at(k).name, key))
            return k;
    }
    return -1;
}

bool IniFile::contains(const QByteArray &section, const QByteArray &key) const
{
    return findEntry(section, key) >= 0;
}

QByteArray IniFile::value(const QByteArray &section, const QByteArray &key,
                          const QByteArray &defaultValue) const
{
    const qsizetype k = findEntry(section, key);
    return k < 0 ? defaultValue : m_lines.at(k).value;
}

void IniFile::setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    QByteArray clean = value;
    clean.replace('\r', ' ').replace('\n', ' ');
    clean = trimmed(clean);

    const qsizetype existing = findEntry(section, key);
    if (existing >= 0) {
        Line &line = m_lines[existing];
        line.text = line.name + '=' + clean;
        line.value = clean;
        return;
    }

    Line entry;
    entry.kind = Kind::Entry;
    entry.name = key;
    entry.value = clean;
    entry.text = key + '=' + clean;

    qsizetype begin = 0;
    qsizetype end = 0;
    if (findSection(section, &begin, &end)) {
        // After the last line of the section that holds anything, so that the
        // blank lines before the next section stay before it.
        qsizetype at = end;
        while (at > begin + 1 && trimmed(m_lines.at(at - 1).text).isEmpty())
            --at;
        m_lines.insert(at, entry);
        return;
    }

    if (!m_lines.isEmpty() && !trimmed(m_lines.last().text).isEmpty())
        m_lines.append(Line());
    Line header;
    header.kind = Kind::Section;
    header.name = section;
    header.text = '[' + section + ']';
    m_lines.append(header);
    m_lines.append(entry);
}

int parseWholeNumber(const QByteArray &text, int fallback)
{
    const QByteArray number = trimmed(text);
    qsizetype k = 0;
    bool negative = false;
    if (k < number.size() && (number.at(k) == '+' || number.at(k) == '-')) {
        negative = number.at(k) == '-';
        ++k;
    }
    if (k == number.size())
        return fallback;
    qint64 magnitude = 0;
    for (; k < number.size(); ++k) {
        const char c = number.at(k);
        if (c < '0' || c > '9')
            return fallback;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return fallback;
    }
    const qint64 result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max())
        return fallback;
    return int(result);
}

StartupSettings readStartupSettings(const IniFile &ini)
{
    StartupSettings settings;
    settings.code = parseWholeNumber(ini.value(kSettingsSection, "Code", "0"));
    settings.serviceMode = settings.code == ServiceModeCode;
    settings.offlineEditing = settings.code == OfflineEditingCode;
    settings.pstnBoxes = parseWholeNumber(ini.value(kSettingsSection, "PSTN", "0")) == 1;
    settings.phoneNumbers[0] = ini.value(kSettingsSection, "PhoneNumber");
    settings.phoneNumbers[1] = ini.value(kSettingsSection, "PhoneNumber1");
    settings.phoneNumbers[2] = ini.value(kSettingsSection, "PhoneNumber2");
    settings.phoneNumbers[3] = ini.value(kSettingsSection, "PhoneNumber3");
    settings.language = ini.value(kSettingsSection, "Language", "English");
    return settings;
}

namespace {

QString settingsPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("Settings.ini"));
}

} // namespace

QByteArray ReadSetting(const SettingsFolders &folders, const char *key,
                       const QByteArray &defaultValue)
{
    IniFile ini;
    if (!folders.fallback.isEmpty() && QFileInfo(settingsPath(folders.fallback)).isFile() &&
        ini.load(settingsPath(folders.fallback)) && ini.contains(kSettingsSection, key))
        return ini.value(kSettingsSection, key);
    IniFile program;
    program.load(settingsPath(folders.program));
    return program.value(kSettingsSection, key, defaultValue);
}

SettingWritten WriteSetting(const SettingsFolders &folders, const char *key,
                            const QByteArray &value)
{
    return WriteSettings(folders, {{QByteArray(key), value}});
}

SettingWritten WriteSettings(const SettingsFolders &folders,
                             const QList<std::pair<QByteArray, QByteArray>> &values)
{
    SettingWritten result;
    const QString path = settingsPath(folders.program);
    const QString fallback = settingsPath(folders.fallback);
    const bool usingFallback = !folders.fallback.isEmpty() && QFileInfo(fallback).isFile();
    if (!usingFallback) {
        IniFile ini;
        if (ini.load(path, &result.error)) {
            for (const auto &[key, value] : values)
                ini.setValue(kSettingsSection, key, value);
            if (ini.save(path, &result.error)) {
                result.ok = true;
                result.path = path;
                return result;
            }
        }
        if (folders.fallback.isEmpty())
            return result;
    }
    // The copy in the user's data folder starts from the program folder's.
    IniFile ini;
    if (!usingFallback || !ini.load(fallback))
        ini.load(path);
    for (const auto &[key, value] : values)
        ini.setValue(kSettingsSection, key, value);
    QString fallbackError;
    if (!ini.save(fallback, &fallbackError)) {
        result.error = fallbackError;
        return result;
    }
    result.ok = true;
    result.path = fallback;
    result.fellBack = !usingFallback;
    return result;
}

} // namespace ykt
