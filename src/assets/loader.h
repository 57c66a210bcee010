// The loading thread (inside assets only): jobs that decode pictures, path images, sounds,
// musics' headers and the light's shader away from the game's thread, and bring what they made
// in on it (GL and audio calls never leave it), a few a frame or all at once.
#pragma once

#include "assets/assets.h"
#include "assets/atlas.h"
#include "assets/caches.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

enum class JobKind { Texture, Backdrop, Sheet, PathMap, Sound, Music, Shader, Prefetch };

struct Job {
    JobKind kind = JobKind::Texture;
    std::string path, file;
    sf::Texture* texture = nullptr; // also the atlas of trimmed sheets
    sf::RenderTexture* backdrop = nullptr;
    std::vector<SheetPart> sheets; // the trimmed sheets of one atlas
    CollisionMap* map = nullptr;
    void (*classify)(const sf::Image&, CollisionMap&) = nullptr;
    sf::SoundBuffer* buffer = nullptr;
    sf::Shader* shader = nullptr;
    MusicStream* music = nullptr; // opened on the loading thread itself (its header read)
    bool later = false; // not needed by the screen shown: brought in over the frames to come
    bool soon = false;  // needed in a moment (the splash's sounds, the logo's next frame)

    // What decoding made.
    bool ok = false;
    sf::Image image;
    CollisionMap classes;
    std::vector<sf::Int16> samples;
    unsigned channels = 0, sampleRate = 0;
    std::string source; // a shader's

    std::size_t bytes() const {
        return static_cast<std::size_t>(image.getSize().x) * image.getSize().y * 4 +
               classes.runEnd.size() * 5 + samples.size() * sizeof(sf::Int16) + source.size();
    }
};

// A job of `kind` for what lies at `path` (found at `file`).
std::unique_ptr<Job> newJob(JobKind kind, const std::string& path, const std::string& file);
// Decoding: no GL, no audio device; safe on the loading thread.
void decode(Job& job);
// Gives what was decoded to the objects that wait for it (this thread: GL and audio calls).
void bringIn(Job& job, std::map<std::string, std::unique_ptr<Job>>& prefetched,
             std::unique_ptr<Job>& owned);
// The shared texture a job fills, if any.
const sf::Texture* textureOf(const Job& job);

// How far a bringing in goes: a frame's share, everything needed now, or everything.
enum class Bring { FrameShare, Needed, Everything };

class Loader {
  public:
    ~Loader() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    bool deferring = false;
    std::map<std::string, std::unique_ptr<Job>> prefetched;

    // Work for this thread just before the loading thread starts, at once when it runs already.
    void beforeStart(std::function<void()> work) {
        if (thread_.joinable())
            work();
        else
            beforeStart_.push_back(std::move(work));
    }

    void queue(std::unique_ptr<Job> job) {
        if (const sf::Texture* texture = textureOf(*job))
            ++inFlight()[texture];
        {
            std::lock_guard<std::mutex> lock(mutex_);
            count(*job, 1);
            // What is needed in a moment goes before the pictures for later, in the order asked.
            const auto place =
                job->soon
                    ? std::find_if(waiting_.begin(), waiting_.end(),
                                   [](const std::unique_ptr<Job>& queued) { return !queued->soon; })
                    : waiting_.end();
            waiting_.insert(place, std::move(job));
        }
        wake_.notify_all();
    }

    // Takes back the jobs for this texture that have not started; gives how many are still on
    // their way.
    int cancel(const sf::Texture* texture) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto job = waiting_.begin(); job != waiting_.end();)
            if (textureOf(**job) == texture) {
                count(**job, -1);
                --inFlight()[texture];
                job = waiting_.erase(job);
            } else
                ++job;
        return inFlight()[texture];
    }

    // Brings in decoded jobs, as far as `how` says.
    void bring(Bring how) {
        start();
        int textures = 0;
        std::size_t bytes = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            if (decoded_.empty()) {
                if (how == Bring::FrameShare || outstanding_ + later_ == 0 ||
                    (how == Bring::Needed && outstanding_ == 0))
                    break;
                done_.wait(lock);
                continue;
            }
            if (how == Bring::FrameShare && (textures >= 2 || bytes >= 4u << 20))
                break;
            std::unique_ptr<Job> job = std::move(decoded_.front());
            decoded_.pop_front();
            decodedBytes_ -= job->bytes();
            count(*job, -1);
            if (job->kind != JobKind::Prefetch) {
                ++textures;
                bytes += job->bytes();
            }
            lock.unlock();
            wake_.notify_all();
            Job& taken = *job;
            bringIn(taken, prefetched, job);
            lock.lock();
        }
    }

    // Waits until the jobs that `matches` picks have been decoded and brought in; everything
    // decoded before them is brought in on the way.
    template <class Match> void await(Match matches) {
        start();
        for (;;) {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!pending(matches))
                return;
            if (decoded_.empty())
                done_.wait(lock);
            lock.unlock();
            bringSome();
        }
    }

    // A prefetched picture, waited for when still on its way; null when never asked for.
    Job* awaitPrefetch(const std::string& path) {
        await([&](const Job& job) { return job.kind == JobKind::Prefetch && job.path == path; });
        auto found = prefetched.find(path);
        return found != prefetched.end() ? found->second.get() : nullptr;
    }

    // Forgets the jobs that `matches` picks, decoded or not, without bringing them in (what
    // they fill is about to go); the one being decoded is waited for first.
    template <class Match> void forget(Match matches) {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return !busy_ || !matches(*busy_); });
        for (auto* list : {&waiting_, &decoded_})
            for (auto job = list->begin(); job != list->end();)
                if (matches(**job)) {
                    count(**job, -1);
                    if (list == &decoded_)
                        decodedBytes_ -= (*job)->bytes();
                    job = list->erase(job);
                } else
                    ++job;
        lock.unlock();
        wake_.notify_all();
    }

    // Whether a job that `matches` picks is not brought in yet (no waiting).
    template <class Match> bool onItsWay(Match matches) {
        std::lock_guard<std::mutex> lock(mutex_);
        return pending(matches);
    }

    bool pendingPrefetch(const std::string& path) {
        if (prefetched.count(path))
            return true;
        return onItsWay(
            [&](const Job& job) { return job.kind == JobKind::Prefetch && job.path == path; });
    }

  private:
    // The loading thread starts with the first frame's bringing in: start-up itself has only
    // the first frame to make.
    void start() {
        if (thread_.joinable())
            return;
        std::vector<std::function<void()>> first;
        first.swap(beforeStart_);
        for (const auto& work : first)
            work();
        thread_ = std::thread(&Loader::work, this);
    }

    // Counts a job in (+1) or out (-1) of what is awaited, needed now or later.
    void count(const Job& job, int step) {
        if (job.kind == JobKind::Prefetch)
            return;
        (job.later ? later_ : outstanding_) += step;
    }

    // Whether a job that `matches` picks is waiting, decoding or decoded (the lock held).
    template <class Match> bool pending(Match matches) const {
        if (busy_ && matches(*busy_))
            return true;
        for (const auto* list : {&waiting_, &decoded_})
            for (const auto& job : *list)
                if (matches(*job))
                    return true;
        return false;
    }

    void bringSome() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!decoded_.empty()) {
            std::unique_ptr<Job> job = std::move(decoded_.front());
            decoded_.pop_front();
            decodedBytes_ -= job->bytes();
            count(*job, -1);
            lock.unlock();
            wake_.notify_all();
            Job& taken = *job;
            bringIn(taken, prefetched, job);
            lock.lock();
        }
    }

    void work() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            // Decoded pictures wait in memory until a frame brings them in: a bounded amount.
            wake_.wait(lock, [this] {
                return stopping_ || (!waiting_.empty() && decodedBytes_ < (16u << 20));
            });
            if (stopping_)
                return;
            std::unique_ptr<Job> job = std::move(waiting_.front());
            waiting_.pop_front();
            busy_ = job.get();
            lock.unlock();
            decode(*job);
            lock.lock();
            busy_ = nullptr;
            decodedBytes_ += job->bytes();
            decoded_.push_back(std::move(job));
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_; // the loading thread's
    std::condition_variable done_; // the game's
    std::deque<std::unique_ptr<Job>> waiting_, decoded_;
    const Job* busy_ = nullptr; // the job being decoded
    std::size_t decodedBytes_ = 0;
    int outstanding_ = 0; // jobs asked for and not brought in, prefetches and later ones aside
    int later_ = 0;       // jobs for pictures not needed yet
    bool stopping_ = false;
    std::vector<std::function<void()>> beforeStart_;
    std::thread thread_;
};

// The one loader of the game.
Loader& loader();
// Runs a job here and now; whether what it loads came.
bool runNow(std::unique_ptr<Job> job);
// Gives a job to the loading thread while loading is deferred (true), else runs it now.
bool loadOrQueue(std::unique_ptr<Job> job);
