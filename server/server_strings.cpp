#include "server/server_strings.h"

#include <array>

#include "common/string_table.h"

namespace tarvel::server {
namespace {

constexpr std::array<StringEntry, 70> kEntries = {{
    {1000, "Čeština"},
    {1001, "Tarvel server"},
    {1002, "Nastavení prostředí"},
    {1003, "&jazyk"},
    {1004, "&Ok"},
    {1005, "Zrušit"},
    {1006, "&Aktivovat"},
    {1007, "&Deaktivovat"},
    {1008, "&Nastavení"},
    {1009, "Nastavení serveru"},
    {1010, "&Port"},
    {1011, "Př&ipojit po startu"},
    {1012, "Provedené změny se projeví až poté, co znovu spustíte hru."},
    {1013, "&Server"},
    {1014, "Nastavení &prostředí"},
    {1015, "&Konec programu"},
    {1016, "&Nápověda"},
    {1017, "Ná&vod"},
    {1018, "O programu"},
    {1019, "O programu"},
    {1020, "verze"},
    {1021, "„%1“ není číslo portu (0 až 65535)."},
    {1022, "Počet &stolů"},
    {1023, "„%1“ není počet stolů (1 až %2)."},
    {1024, "S&toly"},
    {1025, "volný"},
    {1026, "čeká na soupeře"},
    {1027, "porovnává nastavení"},
    {1028, "čeká na rozdání"},
    {1029, "hraje"},
    {1030, "Stůl %1"},
    {1031, "hráč %1 %2"},
    {1032, "Žádný stůl není obsazen"},
    {1033, "Čekat na ná&vrat odpojeného hráče (s)"},
    {1034, "„%1“ není počet sekund čekání na návrat hráče (0 až %2)."},
    {2000, "English"},
    {2001, "Tarvel server"},
    {2002, "environment settings"},
    {2003, "&Language"},
    {2004, "&OK"},
    {2005, "Cancel"},
    {2006, "&Activate"},
    {2007, "&Deactivate"},
    {2008, "&Settings"},
    {2009, "Server settings"},
    {2010, "&Port"},
    {2011, "&Activate after start up"},
    {2012, "Your changes will be applied after you restart the game."},
    {2013, "&Server"},
    {2014, "&Environment settings"},
    {2015, "End of &program"},
    {2016, "&Help"},
    {2017, "&Instructions"},
    {2018, "&About program"},
    {2019, "About program"},
    {2020, "verze"},
    {2021, "\"%1\" is not a port number (0 to 65535)."},
    {2022, "Number of &tables"},
    {2023, "\"%1\" is not a number of tables (1 to %2)."},
    {2024, "&Tables"},
    {2025, "free"},
    {2026, "waiting for an opponent"},
    {2027, "comparing settings"},
    {2028, "waiting for the deal"},
    {2029, "playing"},
    {2030, "Table %1"},
    {2031, "player %1 %2"},
    {2032, "No table is taken"},
    {2033, "Wait for a &disconnected player to return (s)"},
    {2034, "\"%1\" is not a number of seconds to wait for a player to return (0 to %2)."},
}};

static_assert(IsWellFormed(kEntries));

}  // namespace

QString ServerText(int languageBase, int index) {
    return QString::fromStdString(LocalizedText(kEntries, languageBase, index));
}

std::vector<std::pair<QString, int>> ServerLanguages() {
    std::vector<std::pair<QString, int>> languages;
    for (const LanguageItem& item : ListLanguages(kEntries)) {
        languages.emplace_back(QString::fromStdString(item.name), item.base);
    }
    return languages;
}

}  // namespace tarvel::server
