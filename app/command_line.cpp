#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

void describeOptions(QCommandLineParser &parser)
{
    QCoreApplication::setApplicationName(QStringLiteral("tivaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TIVARO_VERSION));
    parser.setApplicationDescription(
        QStringLiteral("Trains one artificial neuron with the perceptron rule on AND, OR, NAND or XOR."));
    parser.addHelpOption();
    parser.addVersionOption();
}

// Whether Qt will look for a desktop session: its default platforms on
// Linux need one, the others (offscreen, vnc, a frame buffer) do not.
bool needsDesktopSession(int argc, char *argv[])
{
    QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray option(argv[i]);
        if (option == "-platform" || option == "--platform")
            platforms = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (platforms.isEmpty())
        return true;
    for (const QString &entry : platforms.split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u':', 0, 0);
        if (name != QLatin1String("xcb") && !name.startsWith(QLatin1String("wayland")))
            return false;
    }
    return true;
}

} // namespace

std::optional<int> answerBeforeWindows(int argc, char *argv[])
{
    if (argc > 1) {
        // A core application answers without a display; it is gone before
        // the real one is made.
        QCoreApplication core(argc, argv);
        QCommandLineParser parser;
        describeOptions(parser);
        // Qt's own options are not known here: only --help and --version
        // are looked at now, the rest once Qt has taken its own.
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(QStringLiteral("help"))) {
            std::fputs(qPrintable(parser.helpText()), stdout);
            return 0;
        }
        if (parser.isSet(QStringLiteral("version"))) {
            std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                        qPrintable(QCoreApplication::applicationVersion()));
            return 0;
        }
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (needsDesktopSession(argc, argv) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("tivaro: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "start it from a desktop session\n",
                   stderr);
        return 1;
    }
#endif
    return std::nullopt;
}

void rejectUnknownOptions()
{
    QCommandLineParser parser;
    describeOptions(parser);
    // Prints the unknown option and ends with exit code 1.
    parser.process(QCoreApplication::arguments());
}
