#pragma once

// Production test programming on the service mode's "Log" page: the list of
// test numbers with "Itraukti Nr.", and "Programuoti testavimui", which takes
// the attached module to the factory defaults and then gives it the test
// number, six SMS inputs and three names, so that the test phone hears of
// every input change.
//
// The test number is settled before anything is written: a Cancel at its
// prompt leaves the module as it was. Any write that does not go out, and a
// module pulled out or replaced on the way, ends the run with "Klaida"; what
// was written stays in the module. The texts of this part are fixed and not
// translated.

#include <QObject>

namespace ykt {

class TForm1;
struct SettingsFolders;

class TProductionTest : public QObject
{
    Q_OBJECT
public:
    // Binds the buttons of the window's Log page; in service mode the list
    // is filled from Settings.ini (PhoneNumber1..3) and its first item
    // selected.
    explicit TProductionTest(TForm1 &window);

    // "Itraukti Nr.": a number of exactly eleven characters joins the list
    // and is selected; another length is refused with "Numeris neteisingas".
    void AddTestNumber();
    // "Programuoti testavimui". True when the module was prepared.
    bool ProgramForTest();
    // At close in service mode: the first three items of the list, each one
    // that is a list number, into PhoneNumber1..3.
    void SaveTestNumbers();

    bool running() const { return m_running; }

signals:
    // A test programming that started writing has ended.
    void programmingFinished(bool prepared);

private:
    SettingsFolders folders() const;
    // The writes, from the factory default on; moduleChanged is set by the
    // driver's connect and disconnect while they run.
    bool writeAll(const QByteArray &number, const bool &moduleChanged);

    TForm1 &m_window;
    bool m_running = false;
};

} // namespace ykt
