#pragma once

// The rig of every configuration page test: the real window on the virtual
// module with no pacing, a language whose message n is "m<n>", and message
// boxes that fail the test unless the test scripted their answer. A test
// reads the module, finds its page and controls by component name, edits,
// and checks what the model and the module hold.

#include "settings/pages/configpage.h"
#include "settings/settingsmodel.h"
#include "wizard/pagelist.h"

#include "windowrig.h"

#include <QList>

namespace ykt::testing {

// A language file with messages "m1" ... "m<count>" and no control records.
inline QByteArray numberedMessages(int count = 170)
{
    QByteArray text = "%English\t0\t0\r\n";
    for (int n = 1; n <= count; ++n)
        text += "$m" + QByteArray::number(n) + "\r\n";
    return text;
}

inline RigOptions pageRigOptions()
{
    RigOptions options;
    options.pacingMs = 0;
    options.failUnscriptedBoxes = true;
    return options;
}

struct PageRig : WindowRig
{
    explicit PageRig(const QString &simSpec = QString(), const QByteArray &settingsIni = {})
        : WindowRig(simSpec, settingsIni, pageRigOptions())
    {
        writeFile(QStringLiteral("comps.txt"), numberedMessages());
    }

    // Read through and the language applied.
    bool ready(int reads = 1)
    {
        return readDone(reads) && waitFor([&] { return form->languageStartupDone(); });
    }

    template <class P> P &page(int pageIndex)
    {
        auto *p = qobject_cast<P *>(form->configPage(pageIndex));
        EXPECT_TRUE(p) << "no page " << pageIndex;
        return *p;
    }

    // A control of the window by its component name.
    template <class W> W *find(const QString &name)
    {
        W *w = form->findChild<W *>(name);
        EXPECT_TRUE(w) << name.toStdString();
        return w;
    }

    SettingsModel &model() { return form->model(); }

    // The packets the module received, and those with an opcode.
    QList<QByteArray> packets() const { return sim->receivedPackets(); }
    int lastOpcode() const
    {
        const QList<QByteArray> all = packets();
        return all.isEmpty() ? -1 : quint8(all.last().at(0));
    }
    int packetsWith(int opcode) const
    {
        int n = 0;
        for (const QByteArray &p : packets())
            n += quint8(p.at(0)) == opcode;
        return n;
    }
};

} // namespace ykt::testing
