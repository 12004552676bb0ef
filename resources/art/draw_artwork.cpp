// Draws Tivaro's artwork: the neuron diagram (diagram.jpg) and the icons.
// To rerun after changing the drawing, from the repository root:
//   cmake --build build --target draw_artwork
//   QT_QPA_PLATFORM=offscreen build/resources/draw_artwork resources
// then look at resources/diagram.jpg and resources/icons/ before committing.

#include "diagram_painter.h"
#include "icon_design.h"
#include "indexed_icon.h"
#include "jpeg_writer.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdlib>

namespace {

// The diagram's byte size is kept near this, so that it stays a small,
// sharp picture rather than drifting with each redraw.
constexpr qint64 targetDiagramBytes = 25877;

// First font file that loads wins; the family name is the fallback.
struct FontChoice {
    QStringList files;
    QString fallbackFamily;
};

const FontChoice wordsFont{{"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
                           "DejaVu Sans"};
const FontChoice mathsFont{{"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf"}, "DejaVu Serif"};
const QStringList extraMathsFaces{"/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf"};

QString loadFamily(const FontChoice &choice)
{
    for (const QString &file : choice.files) {
        const int id = QFontDatabase::addApplicationFont(file);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList{};
        if (!families.isEmpty())
            return families.first();
    }
    return choice.fallbackFamily;
}

const int desktopIconSizes[] = {16, 48, 64, 128, 256};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        QTextStream(stderr) << "cannot write " << path << ": " << file.errorString() << '\n';
        return false;
    }
    QTextStream(stdout) << "wrote " << path << " (" << bytes.size() << " bytes)\n";
    return true;
}

bool writeImage(const QString &path, const QImage &image)
{
    if (!image.save(path, "PNG")) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << "wrote " << path << '\n';
    return true;
}

// The quality whose file size comes closest to the target.
QByteArray encodeNearTargetSize(const QImage &diagram)
{
    QByteArray best;
    int bestQuality = 0;
    for (int quality = 40; quality <= 100; ++quality) {
        const QByteArray candidate = encodeBaselineJpeg(diagram, {quality, 96, true});
        if (candidate.isEmpty())
            continue;
        if (best.isEmpty() || qAbs(candidate.size() - targetDiagramBytes) < qAbs(best.size() - targetDiagramBytes)) {
            best = candidate;
            bestQuality = quality;
        }
    }
    QTextStream(stdout) << "diagram quality " << bestQuality << '\n';
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a drawing tool needs no screen
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: draw_artwork <resources directory>\n";
        return EXIT_FAILURE;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    if (!resources.exists() || !resources.mkpath("icons")) {
        QTextStream(stderr) << "no such directory: " << resources.path() << '\n';
        return EXIT_FAILURE;
    }

    const QString words = loadFamily(wordsFont);
    const QString maths = loadFamily(mathsFont);
    for (const QString &face : extraMathsFaces)
        QFontDatabase::addApplicationFont(face);

    const QByteArray diagram = encodeNearTargetSize(drawDiagram({words, maths}));
    bool ok = !diagram.isEmpty() && writeFile(resources.filePath("diagram.jpg"), diagram);

    ok = writeImage(resources.filePath("icons/tivaro-32.png"), toIndexedColours(drawIcon(32), iconPalette())) && ok;
    for (int size : desktopIconSizes)
        ok = writeImage(resources.filePath(QStringLiteral("icons/tivaro-%1.png").arg(size)), drawIcon(size)) && ok;
    ok = writeFile(resources.filePath("icons/tivaro.svg"), iconSvg().toUtf8()) && ok;
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
