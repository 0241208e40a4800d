// The one reader of table files, for top-level tables and applied ones (includes, script
// tables) alike, with a cache: a table is read and compiled once and reused while its file is
// unchanged, so a folder run compiles each table once and an edited table is read again.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/compiled_table.h"
#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/failure.h"
#include "platform/file_stamp.h"
#include "platform/watched_stamps.h"

namespace lorvane {

class TableCache {
  public:
    // A top-level table is read through the text reader and never fails: an unreadable one is
    // empty (the reader tells the user about large files it cannot read, through `desktop`).
    // An applied table fails when its file cannot be read, naming the file.
    Expected<std::shared_ptr<const CompiledTable>> load(const std::u16string& path,
                                                        TableOrigin origin, const CodePage& page,
                                                        Desktop* desktop = nullptr);
    // The same with the file's stamp as the caller has just taken it (nothing: no such file).
    Expected<std::shared_ptr<const CompiledTable>> load(const std::u16string& path,
                                                        const std::optional<FileStamp>& stamp,
                                                        TableOrigin origin, const CodePage& page,
                                                        Desktop* desktop = nullptr);

    // Every table compiled so far, in the order first compiled.
    std::vector<std::shared_ptr<const CompiledTable>> tables() const;

  private:
    struct Entry {
        FileStamp stamp;
        int codePage = 0;
        std::shared_ptr<const CompiledTable> table;
        std::size_t order = 0;
        // A file changed just before it was read may change again within the same tick of the
        // file system's clock, keeping its stamp: such an entry is read again until it is older.
        bool settled = false;
    };
    std::map<std::pair<std::u16string, TableOrigin>, Entry> entries_;
    std::size_t loads_ = 0;
};

// Finds the files ">go@" lines name, keeping each folder's listing while the folder is
// unchanged (a file added, removed or renamed in it changes it), so a folder run lists each
// include folder once.
class IncludeFinder {
  public:
    // Folders are looked at through `stamps` when given (its rounds are this finder's rounds).
    explicit IncludeFinder(WatchedStamps* stamps = nullptr) : stamps_(stamps) {}

    // Without a folder part the name is a file of the mode folder of `modeName`; with one, the
    // folder is relative to the program folder. The file name must match exactly, letter case
    // included. Nothing when no such file is listed.
    std::optional<std::u16string> find(const std::u16string& programFolder,
                                       const std::u16string& modeName, std::u16string_view name);

    // While a round is open, a folder whose listing was checked in it is not checked again: the
    // includes of one table application see one state of their folders. Whatever may change a
    // folder meanwhile, a script, runs outside rounds.
    void openRound() {
        ++round_;
        roundOpen_ = true;
        if (stamps_ != nullptr) stamps_->openRound();
    }
    void closeRound() {
        roundOpen_ = false;
        if (stamps_ != nullptr) stamps_->closeRound();
    }
    bool roundOpen() const { return roundOpen_; }

  private:
    struct Listing {
        FileStamp stamp;
        std::u16string folder;  // as the file system spells it
        std::vector<std::u16string> entries;
        bool settled = false;
        std::uint64_t checkedInRound = 0;
    };
    WatchedStamps* stamps_;
    std::map<std::u16string, Listing> listings_;
    std::uint64_t round_ = 0;
    bool roundOpen_ = false;
};

// The same lookup without keeping anything.
std::optional<std::u16string> findInclude(const std::u16string& programFolder,
                                          const std::u16string& modeName, std::u16string_view name);

}  // namespace lorvane
