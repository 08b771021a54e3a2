// One Qt speech engine on a thread of its own.
//
// The speech-dispatcher client waits for every answer of its server with no time limit,
// and a server that has stopped answering (one caught while shutting down, say) would
// freeze the window's thread for good at the first call. So the engine is created and
// driven on this thread, which takes commands in order and tells what the engine did
// through a report; the window's thread only posts and reads, and never waits for it
// longer than it chooses. A thread that does not come back when asked to end is left
// to the end of the process rather than waited for.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "client/voice/speech_service.h"

class QThread;

namespace tarvel::voice_detail {

// What the engine's thread tells; every field guarded by `mutex`.
struct EngineReport {
    std::mutex mutex;
    std::condition_variable changed;
    bool answered = false;    // creation has ended, with an engine or without one
    bool created = false;     // an engine came up without an error
    bool errorState = false;  // the engine's last state was its error state
    std::string engine;       // the engine's name as Qt gives it
    std::string problem;      // the engine's last error, for the player
    std::vector<ServiceVoice> voices;
    std::uint64_t finishedUtterance = 0;  // the last said text that has ended
    std::uint64_t commandsDone = 0;
};

// How long a said text may take: to begin, and in all.
struct UtteranceLimits {
    std::chrono::milliseconds begin;
    std::chrono::milliseconds base;
    std::chrono::milliseconds perCharacter;
};

class SpeechWorker;

class SpeechEngineThread {
  public:
    // Starts the thread, which creates the engine of that name ("" for Qt's default).
    SpeechEngineThread(std::string engineName, UtteranceLimits limits);
    // Asks the thread to end and waits for it a moment at most.
    ~SpeechEngineThread();
    SpeechEngineThread(const SpeechEngineThread&) = delete;
    SpeechEngineThread& operator=(const SpeechEngineThread&) = delete;

    // Waits at most `limit` for the engine to be created; true if it came up.
    bool WaitUntilCreated(std::chrono::milliseconds limit);

    // Posted in order; they run on the engine's thread.
    void UseVoice(std::string id);
    void SetRate(double rate);
    void SetPitch(double pitch);
    void SetVolume(double volume);
    void Say(std::uint64_t utterance, std::string text);
    void Stop(std::uint64_t utterance);

    // True when commands have waited longer than `limit` without the thread taking one.
    bool Stuck(std::chrono::milliseconds limit);

    EngineReport& Report() { return *report_; }

  private:
    void Post(std::function<void(SpeechWorker&)> command);

    std::shared_ptr<EngineReport> report_;
    QThread* thread_ = nullptr;
    SpeechWorker* worker_ = nullptr;
    std::uint64_t posted_ = 0;
    std::uint64_t lastSeenDone_ = 0;
    std::chrono::steady_clock::time_point progressAt_{};
};

}  // namespace tarvel::voice_detail
