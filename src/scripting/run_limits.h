// The limits of a running script that hold inside long operations too: built-in functions and
// objects that loop over large texts call checkDeadline as they go, and everything that builds
// text asks checkTextLength first, so neither the time limit nor the memory bound waits for the
// interpreter's next statement.
#pragma once

#include <cstddef>

namespace lorvane::vbs {

// The longest text a script may build unless its interpreter says otherwise: 128 Mi UTF-16
// units, 256 MB. Longer fails with error 7, "Out of memory".
inline constexpr std::size_t kMaxTextLength = std::size_t{1} << 27;

// What a running interpreter answers about its limits.
class DeadlineWatch {
  public:
    virtual ~DeadlineWatch() = default;
    virtual std::size_t maxTextLength() const = 0;
    virtual bool pastDeadline() const = 0;
    // Ends the run as the time limit does.
    [[noreturn]] virtual void stopForTimeLimit() = 0;
};

// Makes `watch` the one checkDeadline consults on this thread while the scope lives.
class DeadlineScope {
  public:
    explicit DeadlineScope(DeadlineWatch& watch);
    ~DeadlineScope();
    DeadlineScope(const DeadlineScope&) = delete;
    DeadlineScope& operator=(const DeadlineScope&) = delete;

  private:
    DeadlineWatch* saved_;
};

// Ends the running script when it is past its time limit; does nothing outside a run.
void checkDeadline();
// Whether the running script is past its time limit, for code that must not throw (callbacks
// from ICU); it calls checkDeadline once back.
bool pastDeadline();

// Raises error 7 when a text of `length` units would pass the running script's bound
// (kMaxTextLength outside a run). Building a long text takes time, so a long one also checks
// the deadline.
void checkTextLength(std::size_t length);

// For loops over many small steps: checks the deadline every `interval` calls.
class DeadlinePacer {
  public:
    explicit DeadlinePacer(unsigned interval = 4096) : interval_(interval) {}
    void step() {
        if (++count_ % interval_ == 0) checkDeadline();
    }

  private:
    unsigned interval_;
    unsigned count_ = 0;
};

}  // namespace lorvane::vbs
