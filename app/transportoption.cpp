#include "app/transportoption.h"

#include "device/linux/hidapitransport.h"
#include "device/tykt2.h"
#include "sim/simtransport.h"

namespace ykt {

bool takeTransportOptions(QStringList &args, TransportChoice *choice, QString *error)
{
    for (int i = 0; i < args.size();) {
        const QString arg = args.at(i);
        if (arg == QLatin1String("--simulate")) {
            choice->simulate = true;
            args.removeAt(i);
        } else if (arg.startsWith(QLatin1String("--simulate="))) {
            choice->simulate = true;
            choice->simulateSpec = arg.mid(int(qstrlen("--simulate=")));
            args.removeAt(i);
        } else if (arg == QLatin1String("--trace")) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("--trace needs a file name");
                return false;
            }
            choice->tracePath = args.at(i + 1);
            args.removeAt(i);
            args.removeAt(i);
        } else if (arg.startsWith(QLatin1String("--trace="))) {
            choice->tracePath = arg.mid(int(qstrlen("--trace=")));
            if (choice->tracePath.isEmpty()) {
                *error = QStringLiteral("--trace needs a file name");
                return false;
            }
            args.removeAt(i);
        } else {
            ++i;
        }
    }
    return true;
}

std::unique_ptr<HidTransport> createTransport(const TransportChoice &choice, QString *error)
{
    if (!choice.simulate)
        return std::make_unique<HidapiTransport>(TYKT2::VendorId, TYKT2::ProductId);
    QString reason;
    const std::optional<sim::Options> options = sim::parseOptions(choice.simulateSpec, &reason);
    if (!options) {
        *error = QStringLiteral("--simulate: %1").arg(reason);
        return nullptr;
    }
    return std::make_unique<sim::SimTransport>(*options);
}

QString transportOptionsHelp()
{
    // Every key the virtual module's parser takes, from its own description.
    QString spec = sim::optionsUsage();
    spec.replace(QLatin1Char('\n'), QLatin1String("\n        "));
    return QStringLiteral("  --simulate[=SPEC]   attach the built-in virtual module instead of "
                          "the USB one\n"
                          "        %1\n"
                          "  --trace FILE   write every packet and report to FILE\n")
        .arg(spec);
}

} // namespace ykt
