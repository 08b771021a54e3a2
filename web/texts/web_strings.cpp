#include <array>

#include "web/texts/page_texts.h"

namespace tarvel::web {
namespace {

constexpr std::array kWebStrings = std::to_array<StringEntry>({
    // Czech
    {1000, "Čeština"},
    {1001, "Zvuk začne hrát po první klávese nebo klepnutí."},
    {1002, "Tvoje karty"},
    {1003, "Klávesy"},
    {1004, "Spojení se hrou se přerušilo, připojuji se znovu."},
    {1005, "Spojení obnoveno."},
    {1006, "Hra ukončila spojení: %1"},
    {1007, "Vyber barvu"},
    {1008, "Jak hru slyšet"},
    {1009, "Přejít na historii"},
    {1010, "Zpět na karty"},
    {1011, "Mezerník"},
    {1012, "Šipka vlevo"},
    {1013, "Šipka vpravo"},
    {1014, "Šipka nahoru"},
    {1015, "Šipka dolů"},
    {1016, "Esc"},
    {1017, "nebo"},
    {1018, "Karta na hromádce"},
    {1019, "Soupeř má karet: %1"},
    {1020, "Karet k lízání: %1"},
    {1021, "Klávesa"},
    {1022, "Příkaz"},
    {1023, "Jak hru slyšet: nahrávky, nebo čtečka obrazovky"},
    {1024, "Předchozí karta nebo barva"},
    {1025, "Další karta nebo barva"},
    {1026, "První karta nebo barva"},
    {1027, "Poslední karta nebo barva"},
    {1028, "Zahrát vybranou kartu nebo barvu"},
    {1029, "Líznout si nebo stát"},
    {1030, "Přepnout mezi nahrávkami a čtečkou obrazovky"},
    {1031, "Jazyk"},
    {1032, "Tabulka nejlepších výsledků"},
    {1033, "Síťová hra"},
    {1034, "Prázdný stůl: hra s kýmkoli"},
    {1035, "Síťová hra u stolu"},
    {1036, "Zprávy"},
    {1037, "Zpět ke kartám; při čekání na soupeře nebo na návrat do hry čekání zruší"},
    // English
    {2000, "English"},
    {2001, "Sound starts with your first key or click."},
    {2002, "Your cards"},
    {2003, "Keys"},
    {2004, "The connection with the game was lost; connecting again."},
    {2005, "Connected again."},
    {2006, "The game closed the connection: %1"},
    {2007, "Choose a suit"},
    {2008, "How to hear the game"},
    {2009, "Go to the history"},
    {2010, "Back to the cards"},
    {2011, "Space"},
    {2012, "Left arrow"},
    {2013, "Right arrow"},
    {2014, "Up arrow"},
    {2015, "Down arrow"},
    {2016, "Esc"},
    {2017, "or"},
    {2018, "Card on the pile"},
    {2019, "Opponent's cards: %1"},
    {2020, "Cards to draw: %1"},
    {2021, "Key"},
    {2022, "Command"},
    {2023, "How to hear the game: recordings, or a screen reader"},
    {2024, "Previous card or suit"},
    {2025, "Next card or suit"},
    {2026, "First card or suit"},
    {2027, "Last card or suit"},
    {2028, "Play the selected card or suit"},
    {2029, "Draw or stand"},
    {2030, "Switch between the recordings and a screen reader"},
    {2031, "Language"},
    {2032, "The table of best results"},
    {2033, "Network game"},
    {2034, "An empty table: play with anyone"},
    {2035, "Network game at a table"},
    {2036, "Messages"},
    {2037, "Back to the cards; while waiting for the opponent or for the return, stop waiting"},
});
static_assert(IsWellFormed(kWebStrings), "numbers must ascend without repeats for the lookup");

}  // namespace

StringTable WebStrings() {
    return kWebStrings;
}

}  // namespace tarvel::web
