#pragma once

// Settings.ini: an INI file read and written by the rules of the Windows
// profile functions (GetPrivateProfileString / WritePrivateProfileString), so
// that a file written by another copy of the program, or edited by hand, means
// the same here. QSettings does not fit: it treats '\' as an escape, turns
// commas into lists, compares keys with case and rewrites the file sorted.
//
// Reading:
// - The file is split into lines at LF; a CR at the end of a line is dropped. A UTF-8
//   byte order mark before the first line is looked through (and kept).
// - A line whose first non-blank character is '[' and that holds a ']' starts
//   a section; the name is the text between them, blanks around it removed.
//   Whatever follows the ']' is ignored.
// - A line whose first non-blank character is ';' is a comment.
// - Any other line with an '=' is an entry: the key is the text before the
//   first '=', the value the text after it, each with the blanks (space, tab,
//   CR, VT, FF) at both ends removed, as the Windows functions do. Blanks and
//   further '=' inside the value are kept. Quotes are not stripped: the value
//   is the text as written.
// - Lines without '=', entries with an empty key and entries before the first
//   section belong to no key; they are kept as they are.
// - Section and key names are compared without regard to the case of the
//   letters A..Z. When a section or a key appears twice, the first one counts.
// - Every byte is kept: texts are 8-bit, a zero byte is an ordinary character.
//
// Writing changes only the lines it must: an existing entry is rewritten as
// key=value with the key spelled as in the file, a new key goes after the
// last non-empty line of its section, a missing section is added at the end.
// All other lines (comments, blank lines, unknown lines) keep their bytes and
// their order. Lines are ended by CR LF on saving.

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace ykt {

class IniFile
{
public:
    IniFile() = default;

    static IniFile fromBytes(const QByteArray &bytes);

    // Replaces the contents with the file at path. A missing file gives an
    // empty IniFile and true (the file is created only when saved); a file
    // that cannot be read gives an empty IniFile, false and a message.
    bool load(const QString &path, QString *error = nullptr);

    // The text that save() writes.
    QByteArray toBytes() const;

    // Writes the file as a whole: a temporary file in the same folder takes
    // the name when complete, so a failure leaves the old file as it was. The
    // folder is created if needed.
    bool save(const QString &path, QString *error = nullptr) const;

    bool isEmpty() const { return m_lines.isEmpty(); }

    bool contains(const QByteArray &section, const QByteArray &key) const;

    // The value of key in section, or defaultValue when there is no such key.
    // A key that is present with nothing after its '=' gives the empty text.
    QByteArray value(const QByteArray &section, const QByteArray &key,
                     const QByteArray &defaultValue = QByteArray()) const;

    // Sets key in section, adding either when missing. The value is stored as
    // the file would give it back: CR and LF (which would break the line) become
    // spaces and blanks at both ends are dropped. section and key must not be
    // empty nor hold '[', ']', '=' or line breaks.
    void setValue(const QByteArray &section, const QByteArray &key, const QByteArray &value);

private:
    enum class Kind
    {
        Other,
        Section,
        Entry,
    };
    struct Line
    {
        Kind kind = Kind::Other;
        QByteArray text;  // the line as it is written, without its line break
        QByteArray name;  // section name or key
        QByteArray value; // entry value as read
    };

    static Line parseLine(const QByteArray &text, bool first);
    // [begin, end) of the lines of the first section called name; begin is the
    // header line. False when there is none.
    bool findSection(const QByteArray &name, qsizetype *begin, qsizetype *end) const;
    qsizetype findEntry(const QByteArray &section, const QByteArray &key) const;

    QList<Line> m_lines;
};

// The code value that switches on service mode.
inline constexpr int ServiceModeCode = 60493;
// The code value that shows the pages before a module is attached.
inline constexpr int OfflineEditingCode = 7;

// The section of Settings.ini that holds every key of the program.
inline constexpr char kSettingsSection[] = "Settings";

// The keys of Settings.ini that are read at start-up.
struct StartupSettings
{
    int code = 0;
    bool serviceMode = false;
    bool offlineEditing = false;
    bool pstnBoxes = false;
    // PhoneNumber (the default of the test number prompt), then PhoneNumber1,
    // PhoneNumber2 and PhoneNumber3 (the saved test numbers).
    QByteArray phoneNumbers[4];
    QByteArray language = "English";
};

// A whole decimal number: an optional '+' or '-' followed by digits only, with
// blanks at both ends allowed. Anything else (an empty text, letters, a
// fraction, digits followed by other characters, a number beyond the range of
// int) gives fallback.
int parseWholeNumber(const QByteArray &text, int fallback = 0);

// Reads Code, PSTN, PhoneNumber, PhoneNumber1..3 and Language from [Settings].
// Code and PSTN are whole numbers (above); PSTN shows the boxes only when it is
// the number 1. A missing Language gives "English"; a present but empty one
// stays empty.
StartupSettings readStartupSettings(const IniFile &ini);

// The two places Settings.ini may be: the program folder, and the user's
// data folder (empty: none) once the program folder refused a write. From
// then on the copy in the user's data folder is the one written, and its
// keys are the ones read first.
struct SettingsFolders
{
    QString program;
    QString fallback;
};

// The key of [Settings]: from the user's copy when it has the key, else from
// the program folder's file, else defaultValue.
QByteArray ReadSetting(const SettingsFolders &folders, const char *key,
                       const QByteArray &defaultValue = QByteArray());

struct SettingWritten
{
    bool ok = false;
    QString path;          // the file written
    QString error;         // why it failed, or why the program folder refused it
    bool fellBack = false; // this write started the copy in the user's data folder
};

// Sets the key of [Settings] in the file in use; the first write the program
// folder refuses copies its file into the user's data folder and writes there.
SettingWritten WriteSetting(const SettingsFolders &folders, const char *key,
                            const QByteArray &value);
// Several keys of [Settings] in one write of the file in use, by the same rule.
SettingWritten WriteSettings(const SettingsFolders &folders,
                             const QList<std::pair<QByteArray, QByteArray>> &values);

} // namespace ykt
