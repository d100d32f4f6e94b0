// zobu_icongen: writes the hicolor PNGs, the scalable SVG and the Windows .ico of the
// calculator from its one XPM source.
//
//   zobu_icongen <source.xpm> <output-dir> <icon-name>
//
// produces <output-dir>/hicolor/<N>x<N>/apps/<icon-name>.png for each desktop size,
// <output-dir>/hicolor/scalable/apps/<icon-name>.svg and <output-dir>/<icon-name>.ico.
#include "ico_writer.h"
#include "icon_scaling.h"
#include "svg_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QString>

#include <array>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::array kDesktopSizes{16, 32, 48, 64, 128, 256};
// The 32 x 32 16-colour image first: the one the window and the program file were drawn for.
constexpr std::array kWindowsSizes{32, 16, 48, 256};

// Writes through a temporary file, so a failed run never leaves a half-written icon that
// the build would take as up to date.
void writeFile(const QString& path, const QByteArray& data) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        throw std::runtime_error("cannot create the directory of " + path.toStdString());
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 file.errorString().toStdString());
    }
}

QByteArray pngData(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw std::runtime_error("cannot encode a PNG icon");
    }
    return png;
}

void generate(const QString& sourcePath, const QString& outDir, const QString& name) {
    QImage source;
    if (!source.load(sourcePath, "XPM")) {
        throw std::runtime_error("cannot read the XPM icon " + sourcePath.toStdString());
    }
    if (source.width() != source.height()) {
        throw std::runtime_error("the icon source must be square");
    }
    const QString hicolor = outDir + QStringLiteral("/hicolor/");
    for (const int size : kDesktopSizes) {
        const QString dir = QStringLiteral("%1x%1").arg(size);
        writeFile(hicolor + dir + QStringLiteral("/apps/") + name + QStringLiteral(".png"),
                  pngData(zobu::icongen::scaleIcon(source, size)));
    }
    writeFile(hicolor + QStringLiteral("scalable/apps/") + name + QStringLiteral(".svg"),
              zobu::icongen::svgFromImage(source));

    std::vector<QImage> windowsImages;
    for (const int size : kWindowsSizes) {
        windowsImages.push_back(zobu::icongen::scaleIcon(source, size));
    }
    writeFile(outDir + QLatin1Char('/') + name + QStringLiteral(".ico"),
              zobu::icongen::icoFromImages(windowsImages));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: zobu_icongen <source.xpm> <output-dir> <icon-name>\n", stderr);
        return 2;
    }
    try {
        generate(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                 QString::fromLocal8Bit(argv[3]));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zobu_icongen: %s\n", failure.what());
        return 1;
    }
    return 0;
}
