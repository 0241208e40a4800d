#include "engine/table_reader.h"

#include <time.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/error_catalogue.h"
#include "platform/file_encoding.h"
#include "platform/file_lister.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"

namespace lorvane {
namespace {

// An applied table's bytes, or the failure that reaches the caller of Rplc2.
Expected<std::string> readAppliedBytes(const std::u16string& path) {
    if (path.empty() || isDirectory(path)) return failureFor(errors::kFileNotFound, path);
    // Only regular files are tables: a device (/dev/zero) or a pipe may never end.
    std::error_code error;
    if (!isRegularFile(path) && std::filesystem::exists(toFsPath(path), error)) {
        return failureFor(errors::kPathFileAccessError, path);
    }
    std::ifstream in(toFsPath(path), std::ios::binary);
    if (!in) {
        return failureFor(isRegularFile(path) ? errors::kPermissionDenied : errors::kFileNotFound,
                          path);
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return failureFor(errors::kDeviceIoError, path);
    return bytes;
}

void noteUtf8(CompiledTable& table, std::string_view bytes, const CodePage& page) {
    if (page.isSingleByte() && looksLikeUtf8(bytes)) {
        table.diagnostics.insert(table.diagnostics.begin(), {table.file,
                                                             0,
                                                             Severity::Warning,
                                                             DiagnosticKind::LooksLikeUtf8,
                                                             {decimal(page.number())}});
    }
}

std::shared_ptr<const CompiledTable> compileWithChecks(std::u16string_view text,
                                                       std::string_view bytes, TableOrigin origin,
                                                       const std::u16string& path,
                                                       const CodePage& page) {
    auto table = std::make_shared<CompiledTable>(compileTable(text, origin, path, page));
    noteUtf8(*table, bytes, page);
    return table;
}

// More than the file system's clock can lag behind the wall clock.
constexpr std::int64_t kClockTick = 50'000'000;

std::int64_t wallClockNanoseconds() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

Expected<std::shared_ptr<const CompiledTable>> TableCache::load(const std::u16string& path,
                                                                TableOrigin origin,
                                                                const CodePage& page,
                                                                Desktop* desktop) {
    return load(path, stampOf(path), origin, page, desktop);
}

Expected<std::shared_ptr<const CompiledTable>> TableCache::load(
    const std::u16string& path, const std::optional<FileStamp>& stamp, TableOrigin origin,
    const CodePage& page, Desktop* desktop) {
    const auto key = std::make_pair(path, origin);
    if (stamp) {
        auto it = entries_.find(key);
        if (it != entries_.end() && it->second.settled && it->second.stamp == *stamp &&
            it->second.codePage == page.number()) {
            return it->second.table;
        }
    }
    const std::int64_t readAt = wallClockNanoseconds();
    std::shared_ptr<const CompiledTable> table;
    bool unreadable = false;
    if (origin == TableOrigin::TopLevel) {
        const std::u16string text = ReadTextFile(path, page, desktop);
        // The reader gives the empty text for a file it cannot read (and tells the user about a
        // large one): such a file is read again, and so reported again, next time.
        unreadable = text.empty() && stamp && stamp->size > 0;
        table = compileWithChecks(text, page.isSingleByte() ? page.encode(text) : std::string(),
                                  origin, path, page);
    } else {
        auto bytes = readAppliedBytes(path);
        if (!bytes) return bytes.failure();
        const std::u16string text = decodeFileBytes(*bytes, page);
        // A file with a byte-order mark says what it is; only unmarked bytes can look wrong.
        const bool marked = markOf(*bytes) != ByteOrderMark::None;
        table = compileWithChecks(text, marked ? std::string_view() : std::string_view(*bytes),
                                  origin, path, page);
    }
    // Only a table read from a file that is still the one stamped is kept.
    if (stamp && !unreadable && stampOf(path) == stamp) {
        Entry& entry = entries_[key];
        if (entry.table == nullptr) entry.order = loads_++;
        entry.stamp = *stamp;
        entry.codePage = page.number();
        entry.table = table;
        entry.settled = stamp->modified + kClockTick < readAt;
    }
    return table;
}

std::vector<std::shared_ptr<const CompiledTable>> TableCache::tables() const {
    std::vector<const Entry*> ordered;
    for (const auto& [key, entry] : entries_)
        ordered.push_back(&entry);
    std::sort(ordered.begin(), ordered.end(),
              [](const Entry* a, const Entry* b) { return a->order < b->order; });
    std::vector<std::shared_ptr<const CompiledTable>> result;
    for (const Entry* entry : ordered)
        result.push_back(entry->table);
    return result;
}

std::optional<std::u16string> IncludeFinder::find(const std::u16string& programFolder,
                                                  const std::u16string& modeName,
                                                  std::u16string_view name) {
    const std::u16string normalised = normalizeSeparators(name);
    std::u16string folder;
    std::u16string fileName;
    const auto slash = normalised.rfind(kPathSeparator);
    if (slash == std::u16string::npos) {
        folder = programFolder + u"/@" + modeName;
        fileName = normalised;
    } else {
        folder = programFolder + u"/" + normalised.substr(0, slash);
        fileName = normalised.substr(slash + 1);
    }
    auto it = listings_.find(folder);
    const bool checkedInThisRound =
        roundOpen_ && it != listings_.end() && it->second.checkedInRound == round_;
    if (!checkedInThisRound &&
        (it == listings_.end() || !it->second.settled ||
         (stamps_ != nullptr ? stamps_->folderStampOf(it->second.folder)
                             : folderStampOf(it->second.folder)) != it->second.stamp)) {
        const std::int64_t listedAt = wallClockNanoseconds();
        FileLister lister;
        if (!lister.setFolder(resolveCaseInsensitive(folder))) {
            listings_.erase(folder);
            return std::nullopt;
        }
        Listing listing;
        listing.folder = lister.folder();
        listing.entries = lister.entries();
        // Only a listing of a folder that is still the one stamped, and that had not just
        // changed, is kept for later lookups.
        const auto stamp = folderStampOf(listing.folder);
        listing.settled = stamp.has_value() && stamp->modified + kClockTick < listedAt;
        listing.stamp = stamp.value_or(FileStamp{});
        it = listings_.insert_or_assign(folder, std::move(listing)).first;
    }
    if (roundOpen_ && it->second.settled) it->second.checkedInRound = round_;
    const Listing& listing = it->second;
    for (const std::u16string& entry : listing.entries) {
        if (entry == fileName) return listing.folder + u"/" + entry;
    }
    return std::nullopt;
}

std::optional<std::u16string> findInclude(const std::u16string& programFolder,
                                          const std::u16string& modeName,
                                          std::u16string_view name) {
    return IncludeFinder().find(programFolder, modeName, name);
}

}  // namespace lorvane
