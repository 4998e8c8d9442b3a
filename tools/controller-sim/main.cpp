#include "tools/controller-sim/SimulatorApp.h"
#include "tools/controller-sim/SimulatorOptions.h"
#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <cstdio>
#include <mosquitto.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("controller-sim"));

    QString error;
    QString help;
    const std::optional<SimulatorOptions> options = SimulatorOptions::parse(app.arguments(), &error, &help);
    if (!options) {
        if (error.isEmpty()) {
            std::fputs(help.toLocal8Bit().constData(), stdout);
            return 0;
        }
        std::fprintf(stderr, "controller-sim: %s\n", error.toLocal8Bit().constData());
        return 2;
    }

    // Catch SIGINT/SIGTERM before anything else, so that an early stop still ends cleanly.
    TerminationSignals terminations;
    if (!terminations.install()) {
        std::fprintf(stderr, "controller-sim: cannot install the signal handlers\n");
        return 1;
    }
    QObject::connect(&terminations, &TerminationSignals::terminationRequested, &app, &QCoreApplication::quit);

    mosquitto_lib_init();
    int exitCode = 0;
    {
        SimulatorApp simulator(*options);
        if (simulator.start(&error)) {
            exitCode = app.exec();
        } else {
            std::fprintf(stderr, "controller-sim: %s\n", error.toLocal8Bit().constData());
            exitCode = 1;
        }
    }
    mosquitto_lib_cleanup();
    return exitCode;
}
