// Draws the card pictures into a folder: tarvel_card_pictures FOLDER [FONT_FILE].
// Runs without a display: Qt draws on its offscreen platform.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/card_pictures/card_pictures.h"

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s FOLDER [FONT_FILE]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString fontFile = argc == 3 ? QString::fromLocal8Bit(argv[2]) : tarvel::pictures::kMarkFontFile;
    QString error;
    if (!QDir().mkpath(folder)) error = QStringLiteral("cannot make the folder %1").arg(folder);
    const auto font = error.isEmpty() ? tarvel::pictures::LoadMarkFont(fontFile, error) : std::nullopt;
    if (font &&
        tarvel::pictures::WritePictures(tarvel::pictures::CardPainter(*font).AllPictures(), folder, error)) {
        return 0;
    }
    std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(error));
    return 1;
}
