#include "session/scores/score_file_message.h"

#include "common/string_table.h"

namespace tarvel {

namespace {

// The system's own words end the sentence; without any, the sentence ends plainly.
std::string Because(const std::error_code& reason) {
    return reason ? ": " + reason.message() : std::string();
}

std::string CzechBytes(std::uintmax_t count) {
    const std::string number = std::to_string(count);
    if (count == 1) return number + " bajt";
    if (count >= 2 && count <= 4) return number + " bajty";
    return number + " bajtů";
}

std::string EnglishBytes(std::uintmax_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

std::string Czech(const ScoreFileError& error) {
    const std::string table = "Tabulka nejlepších výsledků " + error.file.string();
    const std::string ofTable = "Tabulku nejlepších výsledků " + error.file.string();
    switch (error.kind) {
        case ScoreFileError::Kind::CannotCreate:
            return table + " neexistuje a nepodařilo se ji vytvořit" + Because(error.reason) + ".";
        case ScoreFileError::Kind::NotAFile:
            return ofTable + " nelze přečíst: není to soubor.";
        case ScoreFileError::Kind::Unreadable:
            return ofTable + " se nepodařilo přečíst" + Because(error.reason) + ".";
        case ScoreFileError::Kind::TooShort:
            return table + " je poškozená: má " + CzechBytes(error.size) +
                   ", deset výsledků potřebuje 320. Soubor zůstal, jak byl.";
        case ScoreFileError::Kind::Unwritable:
            return ofTable + " se nepodařilo zapsat" + Because(error.reason) + ". Tabulka zůstala, jak byla.";
        case ScoreFileError::Kind::TooLong:
            return table + " je poškozená: má " + CzechBytes(error.size) +
                   ", deset výsledků má právě 320. Soubor zůstal, jak byl.";
        case ScoreFileError::Kind::OutOfOrder:
            return table + " je poškozená: výsledek na " + std::to_string(error.place) +
                   ". místě je vyšší než ten nad ním. Soubor zůstal, jak byl.";
        case ScoreFileError::Kind::NoDate:
            return table + " je poškozená: výsledek na " + std::to_string(error.place) +
                   ". místě nemá platné datum. Soubor zůstal, jak byl.";
    }
    return table;
}

std::string English(const ScoreFileError& error) {
    const std::string table = "The table of best results " + error.file.string();
    switch (error.kind) {
        case ScoreFileError::Kind::CannotCreate:
            return table + " does not exist and could not be created" + Because(error.reason) + ".";
        case ScoreFileError::Kind::NotAFile:
            return table + " cannot be read: it is not a file.";
        case ScoreFileError::Kind::Unreadable:
            return table + " could not be read" + Because(error.reason) + ".";
        case ScoreFileError::Kind::TooShort:
            return table + " is damaged: it holds " + EnglishBytes(error.size) +
                   ", ten results need 320. The file has been left as it was.";
        case ScoreFileError::Kind::Unwritable:
            return table + " could not be written" + Because(error.reason) + ". The table stays as it was.";
        case ScoreFileError::Kind::TooLong:
            return table + " is damaged: it holds " + EnglishBytes(error.size) +
                   ", ten results take exactly 320. The file has been left as it was.";
        case ScoreFileError::Kind::OutOfOrder:
            return table + " is damaged: the result in place " + std::to_string(error.place) +
                   " is higher than the one above it. The file has been left as it was.";
        case ScoreFileError::Kind::NoDate:
            return table + " is damaged: the result in place " + std::to_string(error.place) +
                   " has no valid date. The file has been left as it was.";
    }
    return table;
}

}  // namespace

std::string ScoreFileMessage(const ScoreFileError& error, std::int32_t languageBase) {
    return languageBase == kCzechLanguageBase ? Czech(error) : English(error);
}

}  // namespace tarvel
