// Converting the sources of a run several at a time. The conversions run on other threads, each
// in a session of its own. A result is on the disk before it takes the target's name; waiting for
// the disk would be most of the time a small result takes, so small results go to the disk in
// batches: the calling thread (with one job; with more, each worker its own) writes them beside
// their targets, and the file system is flushed once for a batch. A large result is written and
// flushed by a writer thread as soon as it is converted. Results take their targets' names, are
// reported and failures are met in source order on the calling thread, so the run gives exactly
// what converting one source after another gives. Whatever could make a source's result depend
// on the ones before it sends the rest of the run back to one source after another: a script,
// a user format (its template's line ends stay for the sources after it), settings a source
// leaves different from those it started with, or a result written over a source still to come.
//
// A thread is woken only when what it waits for has come about: waking one costs more than a
// small source takes to write. With one job, the calling thread reads sources ahead of the
// worker while it would wait; the worker reads any source it has not reached itself.

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "pipeline/conversion_session.h"
#include "pipeline/file_set.h"
#include "pipeline/output_writer.h"
#include "pipeline/session_state.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"

namespace lorvane {
namespace {

// What a conversion showed on the desktop, shown again by the run in source order.
struct DesktopCall {
    bool beep = false;
    MessageRequest message;
};

// A worker's desktop. Conversions show messages (a large source that cannot be read); anything
// else would come from a script, which workers never run.
class DeferredDesktop : public Desktop {
  public:
    void beep() override { calls.push_back({true, {}}); }
    int showMessage(const MessageRequest& request) override {
        calls.push_back({false, request});
        return kAnswerOk;
    }
    std::u16string inputBox(const std::u16string&, const std::u16string&,
                            const std::u16string&) override {
        refused = true;
        return {};
    }
    std::u16string chooseFile(const std::u16string&, const std::u16string&,
                              const std::u16string&) override {
        refused = true;
        return {};
    }
    std::u16string clipboardText() override {
        refused = true;
        return {};
    }
    void setBusy(bool) override {}
    void openWithShell(const std::u16string&) override { refused = true; }
    bool startProcess(const std::vector<std::u16string>&) override {
        refused = true;
        return false;
    }

    std::vector<DesktopCall> calls;
    bool refused = false;
};

class RefusingScripts : public ScriptRunner {
  public:
    Expected<std::u16string> RunScript(const std::u16string& name, std::u16string&) override {
        refused = true;
        return failureFor(errors::kPermissionDenied, name);
    }
    bool refused = false;
};

// Large results written to the disk at once; waiting for the disk, not the processor, limits
// them.
constexpr std::size_t kWriters = 8;
// A result this large is written by a writer thread and flushed to the disk as it is written;
// smaller ones are written by the calling thread into the system's cache and go to the disk
// together, up to this many at a time, before the first of them takes its name.
constexpr std::size_t kFlushAloneBytes = std::size_t{1} << 20;
constexpr std::size_t kFlushBatch = 64;
// Bytes of converted results not yet on the disk that admit a source beyond 2 per job.
constexpr std::size_t kUnwrittenBudget = std::size_t{32} << 20;

// One source converted by a worker, waiting to be written and to take its target's name.
struct Converted {
    // Converted; a large result also written beside its target, a small one (flushLater) left
    // for the calling thread to write with its batch unless its worker wrote it.
    bool ready = false;
    bool needsRunThread = false;  // it met a script or asked the desktop for more than messages
    std::optional<Failure> failure;
    std::u16string target;
    std::string bytes;  // until written
    std::optional<Expected<PreparedResult>> prepared;
    bool flushLater = false;  // written without a flush, for a batch to flush
    std::vector<DesktopCall> calls;
    TableSettings settingsAfter;
    bool looksLikeUtf8 = false;  // the source, read in a single-byte page

    // Writes a small result beside its target for a batch to flush; returns the bytes written.
    std::size_t writeForBatch() {
        prepared = prepareResult(target, bytes, Flush::Later);
        return std::exchange(bytes, std::string()).size();
    }
};

// A source's reading as far as it may be done ahead of its conversion.
struct ReadAhead {
    enum class State { NotRead, Reading, Read };
    State state = State::NotRead;
    std::optional<SourceReadAhead> bytes;
};

bool standardOutput(const std::u16string& extent) {
    return extent == u".txt" || extent == u".htm" || extent == u".rtf";
}

}  // namespace

std::optional<std::size_t> ConversionSession::convertInParallel(
    const std::vector<std::u16string>& sources, std::size_t from, const RunRequest& request,
    RunOutcome& outcome, FileSet& writtenFiles) {
    State& s = *state_;
    const TableSettings start = s.engine.settings;
    // A user format's template leaves line-end state behind in the session: one after another.
    if (!standardOutput(start.extent)) return from;
    const std::size_t count = sources.size();
    const std::size_t jobs =
        std::min<std::size_t>(static_cast<std::size_t>(request.jobs), count - from);
    // Sources converted ahead of the one whose result is next to take its name: two per job,
    // and while the results not yet written are small, enough to keep every writer busy and to
    // flush a whole batch at once.
    const std::size_t window = 2 * jobs + kWriters + 2 * kFlushBatch;
    // With one job the calling thread has time to spare: it writes small results and reads
    // sources ahead. With more it would hold the workers up; each writes its own results and
    // reads its own sources.
    const bool spareRunThread = jobs == 1;

    struct Worker {
        DeferredDesktop desktop;
        RefusingScripts scripts;
        std::unique_ptr<ConversionSession> session;
    };
    std::vector<std::unique_ptr<Worker>> workers;
    for (std::size_t w = 0; w < jobs; ++w) {
        auto worker = std::make_unique<Worker>();
        SessionConfig config = s.config;
        config.desktop = &worker->desktop;
        worker->session = std::make_unique<ConversionSession>(std::move(config));
        worker->session->setScriptRunner(worker->scripts);
        worker->session->state_->selection = s.selection;
        workers.push_back(std::move(worker));
    }

    std::vector<Converted> results(count - from);
    std::vector<ReadAhead> readAhead(count - from);
    std::size_t nextToRead = from;
    std::size_t waitingForReads = 0;  // workers waiting for a source the run thread is reading
    std::mutex mutex;
    std::condition_variable claimable, writable, finished, read;
    std::size_t claimed = from, accepted = from;
    std::deque<std::size_t> toWrite;  // large results waiting for a writer
    std::size_t unwrittenBytes = 0;
    bool stop = false;
    auto mayClaim = [&] {
        return claimed < accepted + 2 * jobs ||
               (claimed < accepted + window && unwrittenBytes < kUnwrittenBudget);
    };
    // The end of the results ready from `k` on, at most a batch of them.
    auto readyUpTo = [&](std::size_t k) {
        std::size_t end = k;
        while (end < count && end - k < kFlushBatch && results[end - from].ready)
            ++end;
        return end;
    };
    // A batch from `k` on: as many results as there will be without taking one into place.
    auto batchReady = [&](std::size_t k) {
        const std::size_t end = readyUpTo(k);
        return end - k == kFlushBatch || end == count || (end == claimed && !mayClaim());
    };
    // What the calling thread waits for, for the other threads to wake it only once it holds.
    enum class Awaited { Nothing, Result, Batch };
    Awaited awaited = Awaited::Nothing;
    std::size_t awaitedAt = 0;
    auto awaitedHolds = [&] {
        switch (awaited) {
            case Awaited::Result:
                return results[awaitedAt - from].ready;
            case Awaited::Batch:
                return batchReady(awaitedAt);
            case Awaited::Nothing:
                break;
        }
        return false;
    };
    // Waits for `what`, reading sources ahead meanwhile: past every one claimed, as far as the
    // workers may claim.
    auto await = [&](std::unique_lock<std::mutex>& lock, Awaited what, std::size_t k) {
        awaited = what;
        awaitedAt = k;
        while (!awaitedHolds()) {
            nextToRead = std::max(nextToRead, claimed);
            if (spareRunThread && nextToRead < count && nextToRead < accepted + window && !stop) {
                ReadAhead& ahead = readAhead[nextToRead - from];
                const std::size_t r = nextToRead++;
                ahead.state = ReadAhead::State::Reading;
                lock.unlock();
                SourceReadAhead bytes = readSourceAhead(sources[r]);
                lock.lock();
                ahead.bytes = std::move(bytes);
                ahead.state = ReadAhead::State::Read;
                if (waitingForReads > 0) read.notify_all();
                continue;
            }
            finished.wait(lock);
        }
        awaited = Awaited::Nothing;
    };

    auto work = [&](Worker& worker) {
        for (;;) {
            std::size_t k;
            std::optional<SourceReadAhead> ahead;
            {
                std::unique_lock lock(mutex);
                claimable.wait(lock, [&] { return stop || claimed >= count || mayClaim(); });
                if (stop || claimed >= count) return;
                k = claimed++;
                ReadAhead& readFor = readAhead[k - from];
                if (readFor.state == ReadAhead::State::Reading) {
                    ++waitingForReads;
                    read.wait(lock,
                              [&] { return stop || readFor.state == ReadAhead::State::Read; });
                    --waitingForReads;
                    if (stop) return;  // the run thread left while reading (memory ran out)
                }
                // Not read yet: the run thread reads only sources past every one claimed.
                if (readFor.state == ReadAhead::State::Read) ahead = std::move(readFor.bytes);
            }
            Converted result;
            State& ws = *worker.session->state_;
            ws.engine.settings = start;
            worker.desktop.calls.clear();
            worker.desktop.refused = worker.scripts.refused = false;
            auto target = failingOnExhaustion(sources[k], [&]() -> Expected<std::u16string> {
                auto converted = worker.session->convertToTarget(sources[k], std::move(ahead));
                if (converted) result.bytes = worker.session->takeEncodedResult();
                return converted;
            });
            if (target)
                result.target = std::move(*target);
            else
                result.failure = target.failure();
            // A source whose tables chose a user format after all (a table edited during the
            // run) is converted again by the run's own session, which keeps the line ends its
            // template leaves for the sources after it.
            result.needsRunThread = worker.desktop.refused || worker.scripts.refused ||
                                    !standardOutput(ws.engine.settings.extent);
            result.calls = std::move(worker.desktop.calls);
            result.settingsAfter = ws.engine.settings;
            result.looksLikeUtf8 = ws.sourceLooksUtf8;
            const bool toBeWritten = !result.failure && !result.needsRunThread;
            const bool large = toBeWritten && result.bytes.size() >= kFlushAloneBytes;
            if (toBeWritten && !large && !spareRunThread) result.writeForBatch();
            bool wake = false;
            {
                std::lock_guard lock(mutex);
                Converted& placed = results[k - from];
                placed = std::move(result);
                if (toBeWritten) unwrittenBytes += placed.bytes.size();
                if (large) {
                    toWrite.push_back(k - from);
                } else {
                    placed.flushLater = toBeWritten;
                    placed.ready = true;
                    wake = awaitedHolds();
                }
            }
            // Woken outside the lock, the other thread need not wait for it at once.
            if (large)
                writable.notify_one();
            else if (wake)
                finished.notify_one();
        }
    };
    auto write = [&] {
        for (;;) {
            std::size_t k;
            std::string bytes;
            std::u16string target;
            {
                std::unique_lock lock(mutex);
                writable.wait(lock, [&] { return stop || !toWrite.empty(); });
                if (stop) return;
                k = toWrite.front();
                toWrite.pop_front();
                bytes = std::move(results[k].bytes);
                target = results[k].target;
            }
            auto prepared = prepareResult(target, bytes, Flush::Now);
            bool wake = false;
            {
                std::lock_guard lock(mutex);
                unwrittenBytes -= bytes.size();
                results[k].prepared = std::move(prepared);
                results[k].ready = true;
                wake = awaitedHolds();
            }
            if (wake) finished.notify_one();
            claimable.notify_all();
        }
    };
    std::vector<std::thread> threads;
    for (auto& worker : workers)
        threads.emplace_back(work, std::ref(*worker));
    for (std::size_t w = 0; w < kWriters; ++w)
        threads.emplace_back(write);
    // The workers are stopped and joined however the run leaves this function.
    struct StopWorkers {
        std::function<void()> run;
        ~StopWorkers() { run(); }
    } stopWorkers{[&] {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        claimable.notify_all();
        writable.notify_all();
        read.notify_all();
        for (std::thread& thread : threads)
            thread.join();
        threads.clear();
    }};

    std::optional<std::size_t> rest = count;
    std::size_t flushedUpTo = from;  // the results before it were offered to flushPrepared
    for (std::size_t k = from; k < count; ++k) {
        std::unique_lock lock(mutex);
        await(lock, Awaited::Result, k);
        if (k >= flushedUpTo && results[k - from].flushLater) {
            await(lock, Awaited::Batch, k);
            flushedUpTo = readyUpTo(k);
            lock.unlock();
            // Ready results are left alone by the other threads.
            std::size_t written = 0;
            std::vector<Expected<PreparedResult>*> batch;
            for (std::size_t i = k; i < flushedUpTo; ++i) {
                Converted& result = results[i - from];
                if (result.flushLater && !result.prepared) written += result.writeForBatch();
                if (result.prepared) batch.push_back(&*result.prepared);
            }
            flushPrepared(batch);
            lock.lock();
            unwrittenBytes -= written;
        }
        Converted result = std::move(results[k - from]);
        lock.unlock();
        // A result written over this source since the worker read it: convert it again here.
        if (result.needsRunThread || writtenFiles.holds(sources[k])) {
            rest = k;
            break;
        }
        if (request.progress) {
            request.progress(static_cast<int>(k), static_cast<int>(count), sources[k]);
        }
        for (const DesktopCall& call : result.calls) {
            if (call.beep)
                s.desktop().beep();
            else
                s.desktop().showMessage(call.message);
        }
        bool tookFreeName = false;
        if (!result.failure) {
            auto written = commitResult(result.target, std::move(*result.prepared), sources[k]);
            if (!written) {
                result.failure = written.failure();
            } else {
                if (!written->backup.empty()) outcome.backups.push_back(written->backup);
                tookFreeName = written->tookFreeName;
            }
        }
        if (result.failure) {
            failRun(outcome, *result.failure, sources[k]);
            rest = std::nullopt;
            break;
        }
        writtenFiles.addResult(result.target, tookFreeName);
        outcome.written.push_back(result.target);
        noteSource(outcome, sources[k], result.looksLikeUtf8);
        if (request.written) request.written(result.target);
        lock.lock();
        accepted = k + 1;
        lock.unlock();
        // Workers waiting for room are let go a batch at a time, not one source at a time.
        if (k + 1 >= flushedUpTo) claimable.notify_all();
        s.engine.settings = result.settingsAfter;
        // The later sources were converted from the settings this one started with.
        if (result.settingsAfter != start) {
            rest = k + 1;
            break;
        }
    }
    return rest;
}

}  // namespace lorvane
