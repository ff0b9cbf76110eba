#pragma once

// The real main window, offscreen, attached to the virtual module, with its
// files in a temporary folder, short timers and scripted dialogs.

#include "app/forms/dialogs.h"
#include "app/forms/environment.h"
#include "app/forms/tform1.h"
#include "device/tykt2.h"
#include "sim/options.h"
#include "sim/simtransport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/waiting.h"

#include <deque>
#include <functional>
#include <memory>

namespace ykt::testing {

// Answers the program's dialogs from a script and remembers what was asked.
class ScriptedDialogs : public DialogSeam
{
public:
    std::deque<std::optional<QString>> textAnswers;        // empty: Cancel
    std::deque<QMessageBox::StandardButton> buttonAnswers; // empty: the first button offered
    // A box the test did not script an answer for fails the test (it still
    // takes the first button, so the test goes on to say what followed).
    bool failUnscripted = false;
    QStringList prompts;     // titles of the text prompts
    QStringList promptTexts; // what they asked
    QList<Echo> echoes;
    QList<Box> boxes;

    QMessageBox::StandardButton message(QWidget *, const Box &box) override
    {
        boxes.append(box);
        if (failUnscripted && buttonAnswers.empty())
            ADD_FAILURE() << "unscripted message box: " << box.text.toStdString();
        if (!buttonAnswers.empty()) {
            const auto b = buttonAnswers.front();
            buttonAnswers.pop_front();
            return b;
        }
        for (auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (box.buttons & b)
                return b;
        return QMessageBox::NoButton;
    }

    std::optional<QString> askText(QWidget *, const QString &title, const QString &prompt,
                                   const QString &, Echo echo) override
    {
        prompts.append(title);
        promptTexts.append(prompt);
        echoes.append(echo);
        if (textAnswers.empty())
            return std::nullopt;
        const auto a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }

    // The file choosers take the next path (empty: Cancel); a chooser the
    // test did not script cancels.
    std::deque<std::optional<QString>> fileAnswers;
    QList<FileChoice> fileChoices;
    std::optional<QString> askSaveFile(QWidget *, const FileChoice &choice) override
    {
        return nextFile(choice);
    }
    std::optional<QString> askOpenFile(QWidget *, const FileChoice &choice) override
    {
        return nextFile(choice);
    }

    // The printer dialog confirms while printAnswers is empty or says so;
    // printerSetup then sets the printer up as the user would have.
    std::deque<bool> printAnswers;
    std::function<void(QPrinter *)> printerSetup;
    int printDialogs = 0;
    bool askPrinter(QWidget *, QPrinter *printer) override
    {
        ++printDialogs;
        bool confirm = true;
        if (!printAnswers.empty()) {
            confirm = printAnswers.front();
            printAnswers.pop_front();
        }
        if (confirm && printerSetup)
            printerSetup(printer);
        return confirm;
    }

private:
    std::optional<QString> nextFile(const FileChoice &choice)
    {
        fileChoices.append(choice);
        if (fileAnswers.empty())
            return std::nullopt;
        const auto a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
};

// How a rig's window talks to the virtual module.
struct RigOptions
{
    // The driver's gap after each written packet; the tests that are not
    // about pacing need none.
    int pacingMs = 4;
    bool failUnscriptedBoxes = false;
};

struct WindowRig
{
    explicit WindowRig(const QString &simSpec = QString(), const QByteArray &settingsIni = {},
                       const RigOptions &rigOptions = RigOptions())
    {
        scripted.failUnscripted = rigOptions.failUnscriptedBoxes;
        if (!settingsIni.isNull()) {
            QFile ini(dir.filePath(QStringLiteral("Settings.ini")));
            EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write(settingsIni);
        }
        // The files the window reads 100 ms after its start: a language with
        // no texts and an empty Contact ID list, so that the start-up shows no
        // box. A test replaces them before the event loop runs.
        writeFile(QStringLiteral("comps.txt"), "%English\t0\t0\r\n");
        writeFile(QStringLiteral("CID_Descriptions.txt"), QByteArray());
        QString error;
        auto options = sim::parseOptions(simSpec, &error);
        EXPECT_TRUE(options) << error.toStdString();
        auto transport = std::make_unique<sim::SimTransport>(options.value_or(sim::Options()));
        sim = transport.get();

        AppEnvironment env;
        env.programFolder = dir.path();
        env.fallbackFolder = dir.filePath(QStringLiteral("userdata"));
        env.driverTimings.watchdogMs = 300;
        env.driverTimings.startGraceMs = 200;
        env.driverTimings.accessRetryMs = 50;
        env.driverTimings.pacingMs = rigOptions.pacingMs;
        env.timings.statusRefreshMs = 20;
        env.timings.blinkMs = 10;
        env.terminate = [this] { terminated = true; };
        setDialogs(&scripted);
        form = std::make_unique<TForm1>(std::move(transport), env);
        QObject::connect(form.get(), &TForm1::settingsRefreshed, [this] { ++refreshes; });
        QObject::connect(form.get(), &TForm1::readFailed, [this] { ++failures; });
        form->show();
    }

    ~WindowRig()
    {
        form.reset();
        setDialogs(nullptr);
    }

    bool connected()
    {
        return waitFor([this] { return form->driver()->Connected(); });
    }

    // Connected, read through and refreshed.
    // The count-th completed read since the window was created.
    bool readDone(int count = 1, int timeoutMs = 20000)
    {
        return waitFor([&] { return refreshes >= count || failures > 0; }, timeoutMs) &&
               failures == 0;
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // A file the program ships with (comps.txt, CID_Descriptions.txt ...) in
    // place of the rig's minimal one, before the language is loaded.
    void copyShipped(const char *name) const
    {
        const QString from = QDir(QStringLiteral(YKT_DATA_DIR)).filePath(QLatin1String(name));
        QFile::remove(path(QLatin1String(name)));
        EXPECT_TRUE(QFile::copy(from, path(QLatin1String(name)))) << name;
    }

    // Writes (or replaces) a file of the program folder.
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
        file.write(bytes);
    }

    QTemporaryDir dir;
    sim::SimTransport *sim = nullptr;
    ScriptedDialogs scripted;
    std::unique_ptr<TForm1> form;
    bool terminated = false;
    int refreshes = 0;
    int failures = 0;
};

} // namespace ykt::testing
