// A number spoken word by word from the numeral and number-word recordings, with
// Czech agreement: "dva" (masculine) before "tisice" and "miliony" and as the unit of
// 22..92, the bare numeral "2" elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel {

// The phrase texts that speak `n`, in order. Zero is spoken as "0" only when
// `sayZero` is set and nothing came before it. A negative number is its decimal
// text, minus sign included, as one phrase.
//   0 (sayZero) → "0"; 122 → "sto" "20" "dva"; 200 → "2" "sta";
//   2005 → "dva" "tisice" "5"; 1 000 000 → "milion".
std::vector<std::string> NumberWords(std::int32_t n, bool sayZero);

}  // namespace tarvel
