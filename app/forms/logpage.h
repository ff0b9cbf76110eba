#pragma once

// The "Log" page (service mode): the module's live state as lamps, and the
// memo of its modem traffic with "Lock", "Put Registers into LOG" and "Clear".
// Two developer buttons sit beside them: "Comps OK?" (TntButtonCompsOK)
// compares the languages of the language file, "Generate LangFile"
// (TntButtonGenerateLangFile) writes a language template. The group
// "Testavimas" (TntGroupBox3) holds the production test: the list of test
// numbers (TntComboBox1), "Itraukti Nr." (TntButton28) and "Programuoti
// testavimui" (TntButton25); its texts are fixed, no language names them.

#include "app/eventlog.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ykt {

class Lamp;

class TLogPage : public QWidget
{
    Q_OBJECT
public:
    explicit TLogPage(QWidget *parent = nullptr);

    // A state report: every lamp of the modem, control and TCP groups, the
    // level bar and the counters.
    void showState(const ModemRegisters &registers, quint8 outBufMessCount, quint8 sentCounter);
    // The driver's own flags, refreshed every 200 ms.
    void showDriverFlags(bool busy, bool monitoring, bool error);
    // No module: every lamp of the "Status" group goes dark.
    void switchOffStatus();

    bool locked() const;
    bool putRegisters() const;
    void appendToMemo(const QByteArray &line);
    QPlainTextEdit *memo() const { return m_memo; }

    // Every lamp of the "Status" group, for tests and the language file.
    QList<Lamp *> statusLamps() const { return m_lamps; }
    Lamp *lamp(const QString &objectName) const;
    QProgressBar *levelBar() const { return m_level; }
    QLabel *bufferCount() const { return m_bufferCount; }
    QLabel *sentCount() const { return m_sentCount; }
    // The production test's list of test numbers (editable).
    QComboBox *testNumbers() const { return m_testNumbers; }

signals:
    // "Read YKT3 Settings".
    void readRequested();
    // "Comps OK?".
    void checkLanguageRequested();
    // "Generate LangFile".
    void generateTemplateRequested();
    // "Itraukti Nr.".
    void addTestNumberRequested();
    // "Programuoti testavimui".
    void testProgrammingRequested();

private:
    Lamp *addLamp(QWidget *parent, const char *objectName, const char *caption);

    QList<Lamp *> m_lamps;
    QList<std::pair<Lamp *, int>> m_flagLamps;    // MC55iFlags bit
    QList<std::pair<Lamp *, int>> m_requestLamps; // MC55iCR bit
    QList<std::pair<Lamp *, int>> m_processLamps; // MC55iSR bit
    QList<std::pair<Lamp *, int>> m_tcpLamps;     // TCPSR bit
    Lamp *m_busy = nullptr;
    Lamp *m_monitoring = nullptr;
    Lamp *m_error = nullptr;
    QProgressBar *m_level = nullptr;
    QLabel *m_bufferCount = nullptr;
    QLabel *m_sentCount = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    QCheckBox *m_lock = nullptr;
    QCheckBox *m_registers = nullptr;
    QComboBox *m_testNumbers = nullptr;
};

} // namespace ykt
