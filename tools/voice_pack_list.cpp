// Prints the voice pack to be made, one recording a line, fields separated by tabs:
//   <file name> TAB <voice letter "m" or "z"> TAB <take> TAB <Czech words to speak>
//   <file name> TAB effect TAB <take> TAB <effect name: the file's name without folder,
//                                          variant digit and extension>
// The take (1..n) tells apart the several recordings of one phrase.
// make_voice_pack.sh turns each line into a WAV file.
#include <iostream>

#include "session/speech/phrase_inventory.h"
#include "session/speech/sound_file_name.h"

int main() {
    for (const auto& recording : tarvel::VoicePackRecordings()) {
        if (recording.voice.empty()) {
            std::cout << recording.fileName << "\teffect\t" << recording.take << '\t'
                      << tarvel::PhraseFilePart(recording.text) << '\n';
        } else {
            std::cout << recording.fileName << '\t' << recording.voice << '\t' << recording.take << '\t'
                      << recording.spoken << '\n';
        }
    }
    return std::cout.good() ? 0 : 1;
}
