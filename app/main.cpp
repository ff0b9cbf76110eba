// The YKT4M Loader.
//
//   ykt4m-loader [--simulate[=SPEC]] [--trace FILE] [--screenshot FILE.png]
//
// A second start brings the running window to the front and ends.
// --screenshot saves a picture of the window once the first read is done (or
// after ten seconds) and ends; it works with QT_QPA_PLATFORM=offscreen too.

#include "app/forms/environment.h"
#include "app/forms/tform1.h"
#include "app/singleinstance.h"
#include "app/transportoption.h"
#include "device/protocoltrace.h"

#include "util/logging.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

using namespace ykt;

namespace {

QString usage()
{
    return QStringLiteral("usage: ykt4m-loader [options]\n"
                          "options:\n"
                          "%1"
                          "  --screenshot FILE.png   save a picture of the window once the "
                          "first read is done\n"
                          "        (or after ten seconds) and end\n"
                          "  -h, --help   show this help\n")
        .arg(transportOptionsHelp());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("YKT4M Loader"));
    QApplication::setApplicationDisplayName(QStringLiteral("YKT4M Loader"));
    // The menu entry installed with the program: the desktop shows its icon
    // for the window.
    QApplication::setDesktopFileName(QStringLiteral("org.ykt4m.loader"));

    QStringList args = QApplication::arguments().mid(1);
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        QTextStream(stdout) << usage();
        return 0;
    }
    QString screenshot;
    if (const int at = args.indexOf(QLatin1String("--screenshot")); at >= 0) {
        if (at + 1 >= args.size()) {
            qCCritical(lcApp).noquote() << "--screenshot needs a file name; see --help";
            return 2;
        }
        screenshot = args.at(at + 1);
        args.remove(at, 2);
    }
    TransportChoice choice;
    QString error;
    if (!takeTransportOptions(args, &choice, &error)) {
        qCCritical(lcApp).noquote() << error;
        return 2;
    }
    if (!args.isEmpty()) {
        qCCritical(lcApp).noquote()
            << QStringLiteral("unknown option '%1'; see --help").arg(args.first());
        return 2;
    }

    // One copy per user, wherever it was started from.
    SingleInstance instance;
    if (!instance.isPrimary()) {
        qCInfo(lcApp) << "The YKT4M Loader already runs; bringing its window to the front";
        if (!instance.askPrimaryToRaise())
            qCWarning(lcApp) << "The running YKT4M Loader did not answer";
        return 0;
    }
    if (!instance.errorString().isEmpty())
        qCWarning(lcApp).noquote() << instance.errorString();

    std::unique_ptr<HidTransport> transport = createTransport(choice, &error);
    if (!transport) {
        qCCritical(lcApp).noquote() << error;
        return 2;
    }

    AppEnvironment env;
    env.programFolder = QApplication::applicationDirPath();
    env.fallbackFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!choice.tracePath.isEmpty()) {
        env.trace = std::make_shared<ProtocolTrace>();
        if (!env.trace->open(choice.tracePath, &error)) {
            qCCritical(lcApp).noquote() << error;
            return 2;
        }
    }

    TForm1 window(std::move(transport), env);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window,
                     [&window] { SingleInstance::raiseWindow(&window); });
    window.show();
    if (!screenshot.isEmpty()) {
        const auto take = [&window, screenshot] {
            if (!window.grab().save(screenshot))
                qCWarning(lcApp).noquote() << QStringLiteral("cannot write %1").arg(screenshot);
            QApplication::quit();
        };
        QObject::connect(&window, &TForm1::settingsRefreshed, &window,
                         [take] { QTimer::singleShot(300, take); });
        QTimer::singleShot(10000, &window, take);
    }
    return QApplication::exec();
}
