#include "pipeline/selection_model.h"

#include <algorithm>

#include "pipeline/program_paths.h"
#include "pipeline/scheme_file.h"
#include "platform/text_file_reader.h"
#include "platform/file_lister.h"
#include "platform/paths.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kTableExtension = u".txt";
// A listed name loses its last four characters ("name.txt" -> "name"); shorter names cannot
// name a table.
constexpr std::size_t kExtensionLength = 4;

std::shared_ptr<const CodePage> pageFromEnvironment() {
    auto page = CodePage::forNumber(CodePage::numberFromEnvironment());
    if (page) return *page;
    return *CodePage::forNumber(CodePage::kDefault);
}

bool isSchemeEntry(std::u16string_view text) {
    return !text.empty() && text.front() == u'?';
}

bool endsWithSeparator(std::u16string_view path) {
    return !path.empty() && path.back() == kPathSeparator;
}

const std::u16string kNone;

}  // namespace

SelectionModel::SelectionModel(std::u16string programFolder)
    : SelectionModel(std::move(programFolder), pageFromEnvironment(), nullptr) {}

SelectionModel::SelectionModel(std::u16string programFolder,
                               std::shared_ptr<const CodePage> codePage, Desktop* desktop)
    : programFolder_(withoutTrailingSeparator(programFolder)),
      codePage_(codePage ? std::move(codePage) : pageFromEnvironment()),
      desktop_(desktop) {}

int SelectionModel::buildModeList() {
    modes_.clear();
    selectedMode_ = -1;
    FolderLister folders;
    if (folders.setFolder(programFolder_)) {
        for (const std::u16string& folder : folders.entries()) {
            std::u16string name = fileNamePart(folder);
            if (name.size() > 1 && name.front() == u'@') modes_.push_back(name.substr(1));
        }
    }
    FileLister schemes;
    schemes.setPattern(u"r@*.txt");
    if (schemes.setFolder(programFolder_)) {
        for (const std::u16string& file : schemes.entries())
            modes_.push_back(u"?" + file.substr(2));
    }
    if (!modes_.empty()) selectMode(0);
    return static_cast<int>(modes_.size());
}

int SelectionModel::findMode(std::u16string_view text) const {
    auto found = std::find(modes_.begin(), modes_.end(), text);
    return found == modes_.end() ? -1 : static_cast<int>(found - modes_.begin());
}

const std::u16string& SelectionModel::modeText() const {
    return selectedMode_ < 0 ? kNone : modes_[static_cast<std::size_t>(selectedMode_)];
}

void SelectionModel::selectMode(int index) {
    if (index < 0 || index >= static_cast<int>(modes_.size())) return;
    selectedMode_ = index;
    schemeTextShown_ = false;
    if (isSchemeEntry(modeText())) {
        schemeMode_ = true;
        entryListShown_ = true;
        readScheme();
        if (!entryNames_.empty()) {
            selectEntry(0);
            return;
        }
        // Every entry names its table: the scheme's own text stands in for the table list,
        // which keeps what it showed before.
        entryListShown_ = false;
        schemeText_ = ReadTextFile(schemeFilePath(), *codePage_, desktop_);
        schemeTextShown_ = true;
        return;
    }
    schemeMode_ = false;
    entryListShown_ = false;
    fillTableList({});
    if (!tables_.empty()) selectTable(0);
}

void SelectionModel::readScheme() {
    entryNames_.clear();
    selectedEntry_ = -1;
    SchemeFile scheme = parseScheme(ReadTextFile(schemeFilePath(), *codePage_, desktop_));
    entries_ = std::move(scheme.entries);
    ignoredSchemeLines_ = std::move(scheme.ignoredLines);
    for (const SchemeEntry& entry : entries_) {
        if (entry.isOpen()) entryNames_.push_back(entry.Name);
    }
}

void SelectionModel::fillTableList(const std::u16string& folder) {
    tables_.clear();
    selectedTable_ = -1;
    const bool givenFolder = isSchemeEntry(modeText()) || entryListShown_;
    tableFolder_ =
        givenFolder ? resolveCaseInsensitive(folder) : modeFolderPath(programFolder_, modeText());
    // A lister of its own: a missing folder lists nothing rather than an earlier folder's files.
    FileLister lister;
    if (!lister.setFolder(tableFolder_)) return;
    for (const std::u16string& name : lister.entries()) {
        if (name.front() == u'@' || name.size() <= kExtensionLength) continue;
        tables_.push_back(name.substr(0, name.size() - kExtensionLength));
    }
}

int SelectionModel::findTable(std::u16string_view name) const {
    auto found = std::find(tables_.begin(), tables_.end(), name);
    return found == tables_.end() ? -1 : static_cast<int>(found - tables_.begin());
}

void SelectionModel::selectTable(int index) {
    if (index < -1 || index >= static_cast<int>(tables_.size())) return;
    selectedTable_ = index;
    if (!entryListShown_ || selectedEntry_ < 0 || index < 0) return;
    const std::u16string& name = entryNames_[static_cast<std::size_t>(selectedEntry_)];
    for (SchemeEntry& entry : entries_) {
        if (entry.Name != name) continue;
        if (!endsWithSeparator(entry.Path)) entry.Path = folderPart(entry.Path);
        entry.Path += tableText();
        entry.Path += kTableExtension;
    }
}

const std::u16string& SelectionModel::tableText() const {
    return selectedTable_ < 0 ? kNone : tables_[static_cast<std::size_t>(selectedTable_)];
}

void SelectionModel::selectEntry(int index) {
    if (index < 0 || index >= static_cast<int>(entryNames_.size())) return;
    selectedEntry_ = index;
    const std::u16string& name = entryNames_[static_cast<std::size_t>(index)];
    std::u16string folder;
    std::u16string file;
    for (const SchemeEntry& entry : entries_) {
        if (entry.Name != name) continue;
        folder = entry.Path;
        if (!endsWithSeparator(folder)) {
            file = fileNamePart(folder);
            folder = folderPart(folder);
        }
    }
    fillTableList(programRelative(programFolder_, folder));
    if (file.empty()) return;
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        if (tables_[i] + std::u16string(kTableExtension) == file) selectTable(static_cast<int>(i));
    }
}

bool SelectionModel::hasOpenEntries() const {
    return schemeMode_ && std::any_of(entries_.begin(), entries_.end(),
                                      [](const SchemeEntry& e) { return e.isOpen(); });
}

std::u16string SelectionModel::schemeFilePath() const {
    if (!isSchemeEntry(modeText())) return {};
    return lorvane::schemeFilePath(programFolder_, modeText());
}

}  // namespace lorvane
