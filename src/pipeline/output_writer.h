// Writing results. A result is written to a temporary file in its folder and renamed over the
// target only when it is complete, so a failed write never leaves a truncated result and
// never destroys an older one.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/failure.h"

namespace lorvane {

// The content of a file in pieces: each call gives the next piece, an empty one ends it.
using ContentPieces = std::function<std::string_view()>;

// Replaces (or creates) the file at `target` with exactly these bytes. An existing target that
// may not be written is refused ("Permission denied"), as opening it for output would be.
Status writeFileSafely(const std::u16string& target, std::string_view bytes);
Status writeFileSafely(const std::u16string& target, const ContentPieces& pieces);

// What writing a result did besides writing it.
struct ResultWrite {
    std::u16string backup;  // where a file the user wrote, replaced by the result, was kept
    bool tookFreeName = false;  // nothing stood under the target's name
};

// writeFileSafely for a result: refused when the target is the very file `source` names (a
// result is never written over the document it was converted from; `source` may be empty).
// The result is marked; an existing file under its name that carries no mark is not Lorvane's
// and is kept as NAME~ beside it, replacing an older backup of that name.
Expected<ResultWrite> writeResult(const std::u16string& target, std::string_view bytes,
                                  std::u16string_view source);
Expected<ResultWrite> writeResult(const std::u16string& target, const ContentPieces& pieces,
                                  std::u16string_view source);

// writeResult in two halves, for a run that writes the next results while it takes the earlier
// ones into place: the content, complete in a hidden file beside the target, waits there until
// it is committed; one never committed is removed. A result is on the disk before it takes its
// name, whichever way it got there: flushed as it was written, flushed together with others by
// flushPrepared, or flushed alone by commitResult.
//
// Now: the content is flushed to the disk before prepareResult returns. Later: it is left to
// the system's cache, for flushPrepared to flush with others; a flush of the disk for each small
// result costs many times what writing it does.
enum class Flush { Now, Later };

class PreparedResult {
  public:
    PreparedResult() = default;
    ~PreparedResult();
    PreparedResult(PreparedResult&& other) noexcept;
    PreparedResult& operator=(PreparedResult&& other) noexcept;
    PreparedResult(const PreparedResult&) = delete;
    PreparedResult& operator=(const PreparedResult&) = delete;

  private:
    friend Expected<PreparedResult> prepareResult(const std::u16string&, std::string_view,
                                                  Flush);
    friend void flushPrepared(std::span<Expected<PreparedResult>* const>);
    friend Expected<ResultWrite> commitResult(const std::u16string&, Expected<PreparedResult>,
                                              std::u16string_view);
    std::string temporary_;  // empty once committed or given up
    bool onDisk_ = false;
    int flushError_ = 0;  // the errno that kept it from the disk
};

Expected<PreparedResult> prepareResult(const std::u16string& target, std::string_view bytes,
                                       Flush flush = Flush::Now);
// Puts every result given that is not on the disk yet there, with one flush of each file system
// they lie on. Where that flush fails, each result is flushed alone, and one that cannot be
// fails when it is committed. Prepared results that failed already are passed over.
void flushPrepared(std::span<Expected<PreparedResult>* const> results);
// Takes a prepared result into place as writeResult does, with the same checks in the same
// order; a preparation that failed fails here, where writeResult would have met it.
Expected<ResultWrite> commitResult(const std::u16string& target, Expected<PreparedResult> prepared,
                                   std::u16string_view source);

}  // namespace lorvane
