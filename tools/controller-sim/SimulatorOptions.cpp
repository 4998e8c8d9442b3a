#include "tools/controller-sim/SimulatorOptions.h"

#include <QCommandLineParser>

namespace {

std::optional<int> intInRange(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

bool isUsableSerial(const QString &serial)
{
    // The serial number is the root of the controller's topics: no wildcards, no level separators.
    return !serial.isEmpty() && !serial.contains(QLatin1Char('/')) && !serial.contains(QLatin1Char('+')) &&
           !serial.contains(QLatin1Char('#'));
}

} // namespace

int SimulatorOptions::schematicFor(int serialIndex) const
{
    return schematics.value(serialIndex, schematics.constLast());
}

std::optional<SimulatorOptions> SimulatorOptions::parse(const QStringList &arguments, QString *error,
                                                        QString *help)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Emulates heating controllers on an MQTT broker: answers register reads, stores writes, "
        "keeps schedules and a clock, and runs a heat model of the installation."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption host(QStringLiteral("host"), QStringLiteral("Broker host (default 127.0.0.1)."),
                                  QStringLiteral("H"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Broker port (default 1883)."),
                                  QStringLiteral("P"), QStringLiteral("1883"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Broker user name."),
                                  QStringLiteral("U"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Broker password."),
                                      QStringLiteral("W"));
    const QCommandLineOption serial(
        QStringLiteral("serial"),
        QStringLiteral("Serial number of a controller to emulate; repeat for more."), QStringLiteral("S"));
    const QCommandLineOption schematic(
        QStringLiteral("schematic"),
        QStringLiteral("Schematic number (holding register 30) the controllers start with; repeated, one per "
                       "serial in order. Default 1."),
        QStringLiteral("N"));
    const QCommandLineOption drop(QStringLiteral("drop-answers"),
                                  QStringLiteral("Drop this percentage of answers."),
                                  QStringLiteral("PERCENT"), QStringLiteral("0"));
    const QCommandLineOption malformed(QStringLiteral("malformed"),
                                       QStringLiteral("Send some malformed answers among the good ones."));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Send each answer this late."),
                                   QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the random choices (heat model, faults)."),
                                  QStringLiteral("N"));
    parser.addOptions({host, port, user, password, serial, schematic, drop, malformed, delay, seed});

    auto failWith = [error](const QString &text) {
        *error = text;
        return std::optional<SimulatorOptions>();
    };
    if (!parser.parse(arguments))
        return failWith(parser.errorText());
    if (parser.isSet(helpOption)) {
        *help = parser.helpText();
        error->clear();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty())
        return failWith(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));

    SimulatorOptions options;
    options.host = parser.value(host);
    options.user = parser.value(user);
    options.password = parser.value(password);
    options.malformed = parser.isSet(malformed);

    const auto portValue = intInRange(parser.value(port), 1, 65535);
    if (!portValue)
        return failWith(QStringLiteral("--port must be 1 to 65535"));
    options.port = *portValue;

    options.serials = parser.values(serial);
    if (options.serials.isEmpty())
        return failWith(QStringLiteral("at least one --serial is needed"));
    for (const QString &s : std::as_const(options.serials)) {
        if (!isUsableSerial(s))
            return failWith(QStringLiteral("unusable serial number: '%1'").arg(s));
    }
    if (options.serials.removeDuplicates() > 0)
        return failWith(QStringLiteral("a serial number is given twice"));

    if (parser.isSet(schematic)) {
        options.schematics.clear();
        for (const QString &text : parser.values(schematic)) {
            const auto value =
                intInRange(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
            if (!value)
                return failWith(QStringLiteral("--schematic must be a whole number"));
            options.schematics.append(*value);
        }
    }

    const auto dropValue = intInRange(parser.value(drop), 0, 100);
    if (!dropValue)
        return failWith(QStringLiteral("--drop-answers must be 0 to 100"));
    options.dropPercent = *dropValue;

    const auto delayValue = intInRange(parser.value(delay), 0, 600000);
    if (!delayValue)
        return failWith(QStringLiteral("--delay must be 0 to 600000 ms"));
    options.delayMs = *delayValue;

    if (parser.isSet(seed)) {
        bool ok = false;
        const quint32 value = parser.value(seed).toUInt(&ok);
        if (!ok)
            return failWith(QStringLiteral("--seed must be a whole number from 0 to 4294967295"));
        options.seed = value;
    }
    return options;
}
