// How a window ends the program: the request is remembered, so start-up can tell that a window
// ended the run while it was being prepared, and the event loop (when it runs) is stopped.
#pragma once

#include <functional>
#include <utility>

namespace lorvane {

class ProgramEnd {
  public:
    explicit ProgramEnd(std::function<void()> stopEventLoop = {})
        : stopEventLoop_(std::move(stopEventLoop)) {}

    // Later requests change nothing.
    void request() {
        if (requested_) return;
        requested_ = true;
        if (stopEventLoop_) stopEventLoop_();
    }
    bool requested() const { return requested_; }

  private:
    std::function<void()> stopEventLoop_;
    bool requested_ = false;
};

}  // namespace lorvane
