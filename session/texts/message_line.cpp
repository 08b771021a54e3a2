#include "session/texts/message_line.h"

#include "session/texts/client_texts.h"

namespace tarvel {
namespace {

int TextOf(MessageLine line) {
    switch (line) {
        case MessageLine::YouBegin:
            return text::kYouBegin;
        case MessageLine::IPlay:
            return text::kIPlay;
        case MessageLine::IDraw:
            return text::kIDraw;
        case MessageLine::IStand:
            return text::kIStand;
        case MessageLine::IChangeSuit:
            return text::kIChange;
        case MessageLine::IWin:
            return text::kIWin;
        case MessageLine::YouWin:
            return text::kYouWin;
        case MessageLine::ConnectionLost:
            return text::kConnectionLostTrying;
        case MessageLine::ConnectionBack:
            return text::kConnectionBack;
        case MessageLine::OpponentConnectionLost:
            return text::kOpponentConnectionLost;
        case MessageLine::OpponentBack:
            return text::kOpponentBack;
        case MessageLine::OpponentNotBack:
            return text::kOpponentNotBack;
        case MessageLine::None:
            break;
    }
    return 0;
}

}  // namespace

std::string MessageLineText(MessageLine line, std::uint8_t count, const Localizer& texts) {
    if (line == MessageLine::None) return {};
    std::string words = texts.LocalizedText(TextOf(line));
    if (line != MessageLine::IDraw) return words;
    // The line has always carried a blank after "lížu", and two before a count.
    words += " ";
    if (count > 1) {
        words += " " + std::to_string(count) + " " +
                 texts.LocalizedText(count <= 4 ? text::kCardsTwoToFour : text::kCardsFiveOrMore);
    }
    return words;
}

}  // namespace tarvel
