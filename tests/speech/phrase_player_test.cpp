#include "client/speech/phrase_player.h"

#include <gtest/gtest.h>

#include "tests/speech/recording_audio_backend.h"
#include "tests/speech/scripted_random.h"
#include "session/speech/who_leads.h"

namespace tarvel {
namespace {

using Paths = std::vector<std::string>;
using Started = RecordingAudioBackend::Started;

TEST(PhrasePlayerTest, SayWaitsForTheEndWhileKeepingTheWindowPainted) {
    RecordingAudioBackend audio(/*pollsPerSound=*/3);
    ScriptedRandom random;
    PhrasePlayer player(audio, random);
    int paints = 0;
    bool heldDuringPaint = false;
    player.SetWhileWaiting([&] {
        ++paints;
        heldDuringPaint = player.IsHoldingGame();
    });

    player.SayPhrase("z", "Otáčím hromádku", 1);

    EXPECT_EQ(audio.started, (std::vector<Started>{{"zvuky/zOtacim hromadku.wav", Playback::Wait}}));
    EXPECT_EQ(paints, 3);
    EXPECT_TRUE(heldDuringPaint);
    EXPECT_FALSE(player.IsHoldingGame());
    EXPECT_FALSE(audio.IsPlaying());
}

TEST(PhrasePlayerTest, StartReturnsAtOnceAndTheNextPhraseCutsItOff) {
    RecordingAudioBackend audio(/*pollsPerSound=*/5);
    ScriptedRandom random;
    PhrasePlayer player(audio, random);
    int paints = 0;
    player.SetWhileWaiting([&] { ++paints; });

    player.StartPhrase("m", "kluk kárový", 11);
    EXPECT_EQ(audio.polls, 0);
    player.StartPhrase("m", "dáma kárová", 11);
    player.SayPhrase("", "okraj", 1);

    EXPECT_EQ(audio.started, (std::vector<Started>{{"zvuky/mkluk karovy1.wav", Playback::Start},
                                                   {"zvuky/mdama karova1.wav", Playback::Start},
                                                   {"zvuky/okraj.wav", Playback::Wait}}));
    EXPECT_EQ(audio.cutOff, 2);
    EXPECT_EQ(paints, 5);
}

TEST(PhrasePlayerTest, SoundsOffPlaysAndOpensNothing) {
    RecordingAudioBackend audio;
    ScriptedRandom random;
    PhrasePlayer player(audio, random);
    player.SetSoundsOn(false);
    EXPECT_FALSE(player.SoundsOn());

    player.SayPhrase("", "okraj", 1);
    player.StartPhrase("", "off", 1);
    player.StartPhrase("", "on", 1);
    player.SayPhrase("z", "lížu", 1);
    player.SayNumber("z", 122, true);
    player.SayWhoLeads("z", MatchStanding{});
    EXPECT_TRUE(audio.started.empty());

    player.SetSoundsOn(true);
    player.StartPhrase("", "on", 1);
    EXPECT_EQ(audio.Paths(), Paths{"zvuky/on.wav"});
}

TEST(PhrasePlayerTest, VariantZeroEndsInOneOnlyWhenWaitedFor) {
    RecordingAudioBackend audio;
    ScriptedRandom random;
    PhrasePlayer player(audio, random);
    player.SayPhrase("m", "hra", 0);
    player.StartPhrase("m", "hra", 0);
    EXPECT_EQ(audio.Paths(), (Paths{"zvuky/mhra1.wav", "zvuky/mhra.wav"}));
}

TEST(PhrasePlayerTest, RandomVariantsPickARecordingEachTime) {
    RecordingAudioBackend audio;
    ScriptedRandom random({0.0, 1.0, 0.5});
    PhrasePlayer player(audio, random);
    for (int i = 0; i < 3; ++i) player.SayPhrase("", "vyhození", 6);
    player.StartPhrase("z", "kartu nelze použít", 4);
    EXPECT_EQ(audio.Paths(), (Paths{"zvuky/vyhozeni1.wav", "zvuky/vyhozeni6.wav", "zvuky/vyhozeni4.wav",
                                    "zvuky/zkartu nelze pouzit1.wav"}));
}

TEST(PhrasePlayerTest, NumbersAreSaidWordByWordEachWaitedFor) {
    RecordingAudioBackend audio;
    ScriptedRandom random;
    PhrasePlayer player(audio, random);
    player.SayNumber("z", 2005, true);
    player.SayNumber("m", 0, false);
    player.SayNumber("m", 0, true);
    EXPECT_EQ(audio.started, (std::vector<Started>{{"zvuky/zdva.wav", Playback::Wait},
                                                   {"zvuky/ztisice.wav", Playback::Wait},
                                                   {"zvuky/z5.wav", Playback::Wait},
                                                   {"zvuky/m0.wav", Playback::Wait}}));
}

TEST(PhrasePlayerTest, AnEmptyPhraseIsSkippedAndCutsNothingOff) {
    RecordingAudioBackend audio(/*pollsPerSound=*/2);
    ScriptedRandom random;
    PhrasePlayer player(audio, random);
    player.StartPhrase("m", "eso srdcové", 11);
    player.SayPhrase("m", "", 1);
    player.SayPhrase("m", " ", 1);
    EXPECT_EQ(audio.Paths(), Paths{"zvuky/meso srdcove1.wav"});
    EXPECT_EQ(audio.cutOff, 0);
}

TEST(WhoLeadsTest, WhileTheMatchGoesOn) {
    // Three games, the second just counted.
    MatchStanding standing{.playerPenalty = 5, .opponentPenalty = 12, .numberOfGames = 3, .gameNumber = 2};
    EXPECT_EQ(WhoLeadsText(standing), "vyhráváš");
    standing.playerPenalty = 20;
    EXPECT_EQ(WhoLeadsText(standing), "vyhrávám");
    standing.playerPenalty = 12;
    EXPECT_EQ(WhoLeadsText(standing), "jsme na tom stejně");
    // No limit: the match goes on once a game has been counted.
    EXPECT_EQ(WhoLeadsText({.playerPenalty = 0, .opponentPenalty = 3, .numberOfGames = 0, .gameNumber = 7}),
              "vyhráváš");
}

TEST(WhoLeadsTest, OnceTheMatchIsOver) {
    MatchStanding standing{.playerPenalty = 5, .opponentPenalty = 12, .numberOfGames = 3, .gameNumber = 3};
    EXPECT_EQ(WhoLeadsText(standing), "jsi vítěz");
    standing.playerPenalty = 20;
    EXPECT_EQ(WhoLeadsText(standing), "jsem vítěz");
    standing.playerPenalty = 12;
    EXPECT_EQ(WhoLeadsText(standing), "remíza");
    // Ended with the end command: no limit and the game number reset.
    EXPECT_EQ(WhoLeadsText({.playerPenalty = 4, .opponentPenalty = 1, .numberOfGames = 0, .gameNumber = 0}),
              "jsem vítěz");
}

TEST(WhoLeadsTest, IsSpokenAsOnePhrase) {
    RecordingAudioBackend audio;
    ScriptedRandom random;
    PhrasePlayer player(audio, random);
    player.SayWhoLeads("z", {.playerPenalty = 1, .opponentPenalty = 1, .numberOfGames = 2, .gameNumber = 1});
    EXPECT_EQ(audio.started, (std::vector<Started>{{"zvuky/zjsme na tom stejne.wav", Playback::Wait}}));
}

}  // namespace
}  // namespace tarvel
