// The player's help text: valid UTF-8, Czech first and English after, and every key
// of the game named in both.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringConverter>

namespace tarvel {
namespace {

struct Sections {
    QString czech;
    QString english;
};

Sections ReadHelpText() {
    QFile file(TARVEL_HELP_TEXT);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TARVEL_HELP_TEXT;
    const QByteArray bytes = file.readAll();
    auto decode = QStringDecoder(QStringConverter::Utf8);
    const QString text = decode(bytes);
    EXPECT_FALSE(decode.hasError()) << "not UTF-8";
    const qsizetype english = text.indexOf("\nENGLISH\n");
    const qsizetype czech = text.indexOf("\nČESKY\n");
    EXPECT_GT(czech, 0);
    EXPECT_GT(english, czech);
    return {text.mid(czech, english - czech), text.mid(english)};
}

TEST(HelpText, NamesEveryKeyInBothLanguages) {
    const Sections help = ReadHelpText();
    const char* keys[] = {"Ctrl+N", "Ctrl+I",   "Ctrl+M", "Ctrl+F4", "F2:",    "Shift+F2", "Ctrl+F2",
                          "F3:",    "F4:",      "F5:",    "F6:",     "F7:",    "Shift+F7", "F8:",
                          "F9:",    "Shift+F9", "Ctrl+Z", "Ctrl+L",  "Ctrl+T", "Ctrl+S",   "Ctrl+E",
                          "Ctrl+H", "F1:",      "Enter",  "Home",    "End",    "tarvelsvr"};
    for (const char* key : keys) {
        EXPECT_TRUE(help.czech.contains(key)) << key;
        EXPECT_TRUE(help.english.contains(key)) << key;
    }
    for (const char* key : {"Šipka nahoru", "Šipka dolů", "Šipka vpravo", "Šipka vlevo", "Mezerník"}) {
        EXPECT_TRUE(help.czech.contains(key)) << key;
    }
    for (const char* key : {"Up arrow", "Down arrow", "Right arrow", "Left arrow", "Space"}) {
        EXPECT_TRUE(help.english.contains(key)) << key;
    }
}

TEST(HelpText, KeepsAPlaceForKeysStillToCome) {
    const Sections help = ReadHelpText();
    EXPECT_TRUE(help.czech.contains("\nDalší klávesy\n"));
    EXPECT_TRUE(help.english.contains("\nMore keys\n"));
}

}  // namespace
}  // namespace tarvel
