#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>
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
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A lesson file (.tivaro) to open."),
                                 QStringLiteral("[FILE]"));
}

// A desktop may hand the file over as a file:// URL; any other argument is a
// path, even one with a colon in it.
QString localPath(const QString &argument)
{
    if (argument.startsWith(QLatin1String("file://"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return argument;
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

QStringList lessonFilesIn(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(arguments);
    QStringList files;
    for (const QString &argument : parser.positionalArguments()) {
        // An empty argument names no file; made absolute it would name the
        // working directory.
        if (argument.isEmpty())
            continue;
        files.append(QFileInfo(localPath(argument)).absoluteFilePath());
    }
    return files;
}

std::optional<QString> lessonFileArgument()
{
    const QStringList files = lessonFilesIn(QCoreApplication::arguments());
    if (files.isEmpty())
        return std::nullopt;
    // The window holds one lesson. A desktop starts the program once per
    // file (Exec=tivaro %f); a user who typed several still gets a window
    // with the first, and this line says which were left, rather than
    // nothing at all.
    if (files.size() > 1)
        std::fprintf(stderr, "tivaro: opens one lesson file at a time; not opened: %s\n",
                     qPrintable(files.mid(1).join(QLatin1String(", "))));
    return files.first();
}
