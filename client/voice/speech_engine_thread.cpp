#include "client/voice/speech_engine_thread.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMetaObject>
#include <QPointer>
#include <QTextToSpeech>
#include <QThread>
#include <QTimer>
#include <QVoice>
#include <map>
#include <set>

#include "client/voice/voice_description.h"

namespace tarvel::voice_detail {
namespace {

// A thread that has not ended this long after it was asked to is taken as caught in
// the speech library and left running.
constexpr unsigned long kEndWaitMilliseconds = 1500;

// Threads left running, and their workers, stay reachable until the process ends: a
// QThread destroyed while it runs would end the whole program.
struct Abandoned {
    QThread* thread;
    SpeechWorker* worker;
};
std::vector<Abandoned>& AbandonedThreads() {
    static auto* threads = new std::vector<Abandoned>;
    return *threads;
}

std::string LanguageOf(const QLocale& locale) {
    QString name = locale.nativeLanguageName();
    if (name.isEmpty()) name = QLocale::languageToString(locale.language());
    return name.toStdString();
}

}  // namespace

// Lives on the engine's thread and owns the engine there. The engine tells its state
// by signals on this thread; a said text ends when the engine has gone from speaking
// back to ready, or failed, or was stopped, or took longer than its limits.
class SpeechWorker final : public QObject {
  public:
    SpeechWorker(std::shared_ptr<EngineReport> report, UtteranceLimits limits)
        : report_(std::move(report)), limits_(limits), beginTimer_(this), endTimer_(this) {
        beginTimer_.setSingleShot(true);
        endTimer_.setSingleShot(true);
        QObject::connect(&beginTimer_, &QTimer::timeout, this, [this] {
            // The engine never began: the text was dropped (no sound device, say).
            if (!begun_) Finish();
        });
        QObject::connect(&endTimer_, &QTimer::timeout, this, [this] { Finish(); });
    }

    void Create(const QString& engineName) {
        tts_ = new QTextToSpeech(engineName, this);
        const bool failed =
            tts_->state() == QTextToSpeech::Error || tts_->errorReason() != QTextToSpeech::ErrorReason::NoError;
        std::vector<ServiceVoice> voices;
        if (!failed) voices = ListVoices();
        {
            std::lock_guard lock(report_->mutex);
            report_->engine = tts_->engine().toStdString();
            report_->problem = tts_->errorString().toStdString();
            report_->created = !failed;
            report_->errorState = failed;
            report_->voices = std::move(voices);
            report_->answered = true;
        }
        report_->changed.notify_all();
        if (failed) {
            delete tts_;
            tts_ = nullptr;
            return;
        }
        QObject::connect(tts_, &QTextToSpeech::stateChanged, this,
                         [this](QTextToSpeech::State state) { StateChanged(state); });
        QObject::connect(tts_, &QTextToSpeech::errorOccurred, this,
                         [this](QTextToSpeech::ErrorReason, const QString& text) {
                             std::lock_guard lock(report_->mutex);
                             report_->problem = text.toStdString();
                         });
    }

    void UseVoice(const std::string& id) {
        const auto found = voices_.find(id);
        if (tts_ != nullptr && found != voices_.end()) tts_->setVoice(found->second);
    }

    void SetRate(double rate) {
        if (tts_ != nullptr) tts_->setRate(rate);
    }
    void SetPitch(double pitch) {
        if (tts_ != nullptr) tts_->setPitch(pitch);
    }
    void SetVolume(double volume) {
        if (tts_ != nullptr) tts_->setVolume(volume);
    }

    void Say(std::uint64_t utterance, const QString& text) {
        current_ = utterance;
        begun_ = false;
        if (tts_ == nullptr) {
            Finish();
            return;
        }
        tts_->say(text);
        beginTimer_.start(limits_.begin);
        endTimer_.start(limits_.base + limits_.perCharacter * text.size());
    }

    void Stop(std::uint64_t utterance) {
        if (tts_ != nullptr) tts_->stop();
        current_ = std::max(current_, utterance);
        Finish();
    }

    // The engine goes while its thread still runs.
    void Shutdown() {
        beginTimer_.stop();
        endTimer_.stop();
        delete tts_;
        tts_ = nullptr;
    }

  private:
    // Every voice of every language the engine has, the engine left on the voice it
    // started with.
    std::vector<ServiceVoice> ListVoices() {
        const QVoice original = tts_->voice();
        const std::string engine = tts_->engine().toStdString();
        std::vector<ServiceVoice> listed;
        std::set<std::string> ids;
        for (const QLocale& locale : tts_->availableLocales()) {
            tts_->setLocale(locale);
            for (const QVoice& voice : tts_->availableVoices()) {
                ServiceVoice described = DescribeVoice(engine, voice.locale().name().toStdString(),
                                                       LanguageOf(voice.locale()), voice.name().toStdString());
                // A language the engine could not switch to lists the previous one's
                // voices again; each voice is listed once.
                if (!ids.insert(described.id).second) continue;
                voices_.emplace(described.id, voice);
                listed.push_back(std::move(described));
            }
        }
        tts_->setVoice(original);
        return listed;
    }

    void StateChanged(QTextToSpeech::State state) {
        {
            std::lock_guard lock(report_->mutex);
            report_->errorState = state == QTextToSpeech::Error;
        }
        if (state == QTextToSpeech::Speaking) {
            begun_ = true;
        } else if (state == QTextToSpeech::Error || (state == QTextToSpeech::Ready && begun_)) {
            Finish();
        }
    }

    void Finish() {
        beginTimer_.stop();
        endTimer_.stop();
        std::lock_guard lock(report_->mutex);
        report_->finishedUtterance = std::max(report_->finishedUtterance, current_);
    }

    std::shared_ptr<EngineReport> report_;
    UtteranceLimits limits_;
    QTextToSpeech* tts_ = nullptr;
    std::map<std::string, QVoice> voices_;
    std::uint64_t current_ = 0;
    bool begun_ = false;
    QTimer beginTimer_;
    QTimer endTimer_;
};

SpeechEngineThread::SpeechEngineThread(std::string engineName, UtteranceLimits limits)
    : report_(std::make_shared<EngineReport>()) {
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("speech engine"));
    worker_ = new SpeechWorker(report_, limits);
    worker_->moveToThread(thread_);
    thread_->start();
    Post([name = QString::fromStdString(engineName)](SpeechWorker& worker) { worker.Create(name); });
}

SpeechEngineThread::~SpeechEngineThread() {
    QThread* thread = thread_;
    bool answered = false;
    {
        std::lock_guard lock(report_->mutex);
        answered = report_->answered;
    }
    // Still inside the engine's creation: caught there, and not worth a wait.
    if (!answered) {
        AbandonedThreads().push_back({thread, worker_});
        return;
    }
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_] {
            worker->Shutdown();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (thread->wait(kEndWaitMilliseconds)) {
        delete worker_;
        delete thread;
        return;
    }
    AbandonedThreads().push_back({thread, worker_});
}

bool SpeechEngineThread::WaitUntilCreated(std::chrono::milliseconds limit) {
    std::unique_lock lock(report_->mutex);
    report_->changed.wait_for(lock, limit, [this] { return report_->answered; });
    return report_->answered && report_->created;
}

void SpeechEngineThread::Post(std::function<void(SpeechWorker&)> command) {
    if (posted_ == lastSeenDone_) progressAt_ = std::chrono::steady_clock::now();
    const std::uint64_t number = ++posted_;
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_, report = report_, number, command = std::move(command)] {
            command(*worker);
            std::lock_guard lock(report->mutex);
            report->commandsDone = number;
        },
        Qt::QueuedConnection);
}

bool SpeechEngineThread::Stuck(std::chrono::milliseconds limit) {
    std::uint64_t done = 0;
    {
        std::lock_guard lock(report_->mutex);
        done = report_->commandsDone;
    }
    const auto now = std::chrono::steady_clock::now();
    if (done != lastSeenDone_) {
        lastSeenDone_ = done;
        progressAt_ = now;
    }
    return done < posted_ && now - progressAt_ > limit;
}

void SpeechEngineThread::UseVoice(std::string id) {
    Post([id = std::move(id)](SpeechWorker& worker) { worker.UseVoice(id); });
}

void SpeechEngineThread::SetRate(double rate) {
    Post([rate](SpeechWorker& worker) { worker.SetRate(rate); });
}

void SpeechEngineThread::SetPitch(double pitch) {
    Post([pitch](SpeechWorker& worker) { worker.SetPitch(pitch); });
}

void SpeechEngineThread::SetVolume(double volume) {
    Post([volume](SpeechWorker& worker) { worker.SetVolume(volume); });
}

void SpeechEngineThread::Say(std::uint64_t utterance, std::string text) {
    Post([utterance, text = QString::fromStdString(text)](SpeechWorker& worker) { worker.Say(utterance, text); });
}

void SpeechEngineThread::Stop(std::uint64_t utterance) {
    Post([utterance](SpeechWorker& worker) { worker.Stop(utterance); });
}

}  // namespace tarvel::voice_detail
