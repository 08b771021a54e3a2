// Indices of the string table that the table of best results and its two dialogs use.
#pragma once

namespace tarvel::score_text {

inline constexpr int kOk = 47;                  // name dialog, OK (the default button)
inline constexpr int kCancel = 48;              // name dialog, cancel
inline constexpr int kNameLabel = 51;           // name dialog, the label of the name field
inline constexpr int kUseTable = 70;            // game settings, the option usetable
inline constexpr int kNameDialogCaption = 71;
inline constexpr int kEmptyName = 72;           // message when OK is pressed with no name
inline constexpr int kTableDialogCaption = 73;
inline constexpr int kWriteButton = 74;
inline constexpr int kContinueButton = 75;
inline constexpr int kPlaceHeading = 76;
inline constexpr int kNameHeading = 77;
inline constexpr int kScoreHeading = 78;
inline constexpr int kDateHeading = 79;
inline constexpr int kTimeHeading = 80;
inline constexpr int kScoreWordOne = 81;        // "bod"
inline constexpr int kScoreWordTwoToFour = 82;  // "body"
inline constexpr int kScoreWordOther = 83;      // "bodů": 0, 5 and more, and every negative score
inline constexpr int kIsEnoughFor = 84;
inline constexpr int kPlaceInTheTable = 85;
inline constexpr int kTableMenuCommand = 86;    // the table menu item, Ctrl+T
inline constexpr int kCloseButton = 87;
inline constexpr int kSayTableScoreCommand = 88;  // the menu item of your points for the table, Shift+F7

}  // namespace tarvel::score_text
