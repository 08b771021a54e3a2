#include "client/voice/qt_speech_service.h"

#include <QCoreApplication>
#include <QTextToSpeech>
#include <algorithm>

#include "client/voice/speech_engine_thread.h"

namespace tarvel {

std::vector<std::string> QtSpeechService::PreferredEngines() {
    std::vector<std::string> engines;
    const QStringList installed = QTextToSpeech::availableEngines();
    for (const char* preferred : {"speechd", "flite"}) {
        if (installed.contains(QLatin1String(preferred))) engines.emplace_back(preferred);
    }
    for (const QString& other : installed) {
        const std::string name = other.toStdString();
        if (std::find(engines.begin(), engines.end(), name) == engines.end()) engines.push_back(name);
    }
    return engines;
}

QtSpeechService::QtSpeechService(const std::vector<std::string>& engines, Limits limits) : limits_(limits) {
    if (QCoreApplication::instance() == nullptr) {
        problem_ = "no application object for the speech engine";
        return;
    }
    if (engines.empty()) problem_ = "no speech engine is installed";
    const voice_detail::UtteranceLimits utterance{limits.begin, limits.base, limits.perCharacter};
    for (const std::string& name : engines) {
        auto engine = std::make_unique<voice_detail::SpeechEngineThread>(name, utterance);
        if (engine->WaitUntilCreated(limits.start)) {
            std::lock_guard lock(engine->Report().mutex);
            engineName_ = engine->Report().engine;
            voices_ = engine->Report().voices;
            engine_ = std::move(engine);
            break;
        }
        std::lock_guard lock(engine->Report().mutex);
        problem_ = engine->Report().answered ? name + ": " + engine->Report().problem
                                             : name + ": the engine did not answer";
    }
    for (const auto& voice : voices_) voiceIds_.insert(voice.id);
}

QtSpeechService::~QtSpeechService() = default;

bool QtSpeechService::Stuck() const {
    return engine_->Stuck(limits_.answer);
}

bool QtSpeechService::Available() const {
    if (!engine_ || Stuck()) return false;
    std::lock_guard lock(engine_->Report().mutex);
    return !engine_->Report().errorState;
}

std::vector<ServiceVoice> QtSpeechService::Voices() {
    return voices_;
}

bool QtSpeechService::UseVoice(std::string_view id) {
    if (!engine_ || !voiceIds_.contains(id)) return false;
    engine_->UseVoice(std::string(id));
    return true;
}

void QtSpeechService::SetRate(double rate) {
    if (engine_) engine_->SetRate(std::clamp(rate, -1.0, 1.0));
}

void QtSpeechService::SetPitch(double pitch) {
    if (engine_) engine_->SetPitch(std::clamp(pitch, -1.0, 1.0));
}

void QtSpeechService::SetVolume(double volume) {
    if (engine_) engine_->SetVolume(std::clamp(volume, 0.0, 1.0));
}

void QtSpeechService::Say(std::string_view text) {
    if (!engine_ || text.empty()) return;
    engine_->Say(++lastUtterance_, std::string(text));
}

void QtSpeechService::Stop() {
    if (!engine_) return;
    // Ended at once for the caller; the engine is told in its turn.
    stoppedUtterance_ = lastUtterance_;
    engine_->Stop(lastUtterance_);
}

bool QtSpeechService::Speaking() {
    if (!engine_ || lastUtterance_ <= stoppedUtterance_) return false;
    if (Stuck()) return false;
    std::lock_guard lock(engine_->Report().mutex);
    return engine_->Report().finishedUtterance < lastUtterance_;
}

std::string QtSpeechService::Engine() const {
    return engineName_;
}

std::string QtSpeechService::Problem() const {
    if (!engine_) return problem_;
    if (Stuck()) return engineName_ + ": the engine stopped answering";
    std::lock_guard lock(engine_->Report().mutex);
    return engine_->Report().problem;
}

}  // namespace tarvel
