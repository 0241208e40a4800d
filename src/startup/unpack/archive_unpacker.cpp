#include "startup/unpack/archive_unpacker.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/text_file_reader.h"
#include "platform/file_lister.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "startup/unpack/archive_list.h"
#include "startup/unpack/archive_template.h"

namespace lorvane {
namespace fs = std::filesystem;
namespace {

constexpr char16_t kSep = kPathSeparator;

// What the archiver of a type gets when the archive list has no template for it, and which
// archivers the chooser offers first. pkunzip.exe and rar.exe on Windows; elsewhere Info-ZIP's
// unzip, whose switches come in another order, unrar, and 7z, which takes most types.
struct ArchiverKind {
    std::u16string_view type;
    std::u16string_view beforeFile;               // default arguments: this, the copy,
    std::u16string_view beforeFolder;             // this, the unpack folder
    std::array<std::u16string_view, 2> programs;  // offered first; empty ones are left out
};

#ifdef _WIN32
constexpr ArchiverKind kKinds[] = {
    {u"zip", u"-o -d ", u" ", {u"pkunzip.exe"}},
    {u"rar", u"x -o+ ", u" ", {u"rar.exe"}},
};
constexpr ArchiverKind kOtherKind{u"", u"", u" ", {}};
constexpr std::u16string_view kChooserRest = u"Исполняемые файлы (*.exe)|*.exe|Все файлы (*.*)|*.*";
constexpr char kPathListSeparator = ';';
#else
constexpr ArchiverKind kKinds[] = {
    {u"zip", u"-o ", u" -d ", {u"unzip", u"7z"}},
    {u"rar", u"x -o+ ", u" ", {u"unrar", u"7z"}},
};
constexpr ArchiverKind kOtherKind{u"", u"", u" ", {u"7z"}};
// Programs carry no extension here, and "*.*" would hide every name without a dot.
constexpr std::u16string_view kChooserRest = u"Все файлы (*)|*";
constexpr char kPathListSeparator = ':';
#endif

// Types compare exactly: a "ZIP" archive gets neither default arguments nor the zip entries.
const ArchiverKind& kindOf(std::u16string_view type) {
    for (const auto& kind : kKinds) {
        if (kind.type == type) return kind;
    }
    return kOtherKind;
}

struct UnpackNames {
    std::u16string archCopy;    // the copy the archiver works on
    std::u16string unpackDir;   // where it unpacks to; ends with a separator
    std::u16string unpackRoot;  // the folder "Lorva" that holds the unpack folders
};

// Nothing for names that would put the unpack folder outside "Lorva/" (an archive named
// "...zip" has the base name "..") or when the documents folder is unknown.
std::optional<UnpackNames> namesFor(const std::u16string& E, const UnpackContext& context) {
    if (context.docsPath.empty()) return std::nullopt;
    const std::u16string fileName = fileNamePart(context.srcPath);
    if (fileName.size() < E.size() + 1) return std::nullopt;
    const std::u16string base = fileName.substr(0, fileName.size() - E.size() - 1);
    if (base.empty() || base == u"." || base == u"..") return std::nullopt;
    const std::u16string root = context.docsPath + kSep + u"Lorva";
    return UnpackNames{root + u"." + E, root + kSep + base + kSep, root};
}

// Copies the archive over any earlier copy. The result says whether the copy is the program's
// own to delete afterwards: an archive that already is the copy is used in place and kept.
std::optional<bool> copyArchive(const std::u16string& source, const std::u16string& copy) {
    std::error_code error;
    const fs::path from = toFsPath(source), to = toFsPath(copy);
    if (fs::exists(to, error) && fs::equivalent(from, to, error)) return false;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error) return std::nullopt;
    return true;
}

std::shared_ptr<const CodePage> pageOf(const UnpackContext& context) {
    if (context.codePage) return context.codePage;
    auto page = CodePage::forNumber(CodePage::kDefault);
    return page ? *page : nullptr;
}

// The template's arguments, offered for editing when they begin with "?". Empty when the list
// has no template for the type, the template is empty, or the user cancelled.
std::u16string templateArguments(const std::u16string& E, UnpackNames& names,
                                 const UnpackContext& context) {
    const auto page = pageOf(context);
    if (!page) return {};
    const std::u16string list =
        ReadTextFile(context.programFolder + kSep + u"Arch.txt", *page, &context.desktop);
    const auto found = findArchiveTemplate(list, E);
    if (!found) return {};
    ArchiverArguments arguments = expandArchiveTemplate(*found, names.archCopy, names.unpackDir);
    names.unpackDir = arguments.unpackDir;
    if (arguments.text.empty() || arguments.text.front() != u'?') return arguments.text;
    const std::u16string proposed(trimSpaces(std::u16string_view(arguments.text).substr(1)));
    const std::u16string answer = context.desktop.inputBox(
        u"Введите команды и ключи архиватора", u"Распаковка " + E + u"-архива", proposed);
    return std::u16string(trimSpaces(answer));
}

std::u16string defaultArguments(const std::u16string& E, const UnpackNames& names) {
    const ArchiverKind& kind = kindOf(E);
    return std::u16string(kind.beforeFile) + quoteArgument(names.archCopy) +
           std::u16string(kind.beforeFolder) + quoteArgument(names.unpackDir);
}

// The folder on PATH that holds the program; empty when none does.
std::u16string folderOnPath(std::u16string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view folders(path == nullptr ? "" : path);
    while (!folders.empty()) {
        const auto end = folders.find(kPathListSeparator);
        const std::u16string folder = fromUtf8(folders.substr(0, end));
        if (!folder.empty() && isProgramAvailable(folder + kSep + std::u16string(program))) {
            return folder;
        }
        folders = end == std::string_view::npos ? "" : folders.substr(end + 1);
    }
    return {};
}

#ifndef _WIN32
bool firstWordIs(std::u16string_view arguments, std::u16string_view word) {
    return arguments.substr(0, word.size()) == word &&
           (arguments.size() == word.size() || arguments[word.size()] == u' ');
}

// The archiver a template's command line is written for, told by its switches: tar's "-x..."
// and "--one-top-level", unrar's "x -o+", 7z's "x" with "-o" before the folder, unzip's "-d".
// Nothing when the line shows none of them.
std::optional<std::u16string_view> archiverOfArguments(std::u16string_view arguments) {
    arguments = trimSpaces(arguments);
    if ((arguments.starts_with(u"-") && !arguments.starts_with(u"-o ") &&
         arguments.substr(0, arguments.find(u' ')).find(u'x') != std::u16string_view::npos) ||
        arguments.find(u"--one-top-level") != std::u16string_view::npos) {
        return u"tar";
    }
    if (firstWordIs(arguments, u"x") || firstWordIs(arguments, u"e")) {
        return arguments.find(u"-o+") != std::u16string_view::npos ? u"unrar" : u"7z";
    }
    if (arguments.find(u" -d ") != std::u16string_view::npos) return u"unzip";
    return std::nullopt;
}
#endif

// The chooser offers the archivers the arguments are written for: those of a template line,
// else the usual ones of the type. It opens in the folder of the first one installed, else on
// the desktop.
std::u16string chooseArchiver(const std::u16string& E,
                              [[maybe_unused]] std::u16string_view templateText,
                              const UnpackContext& context) {
    std::array<std::u16string_view, 2> programs = kindOf(E).programs;
#ifndef _WIN32
    if (auto written = archiverOfArguments(templateText)) programs = {*written, {}};
#endif
    std::u16string filter;
    std::u16string initialFolder;
    for (const auto program : programs) {
        if (program.empty()) continue;
        filter += u"Архиватор " + std::u16string(program) + u"|" + std::u16string(program) + u"|";
        if (initialFolder.empty()) initialFolder = folderOnPath(program);
    }
    filter += kChooserRest;
    if (initialFolder.empty()) initialFolder = context.desktopPath;
    return context.desktop.chooseFile(u"Укажите консольный " + E + u"-архиватор", filter,
                                      initialFolder);
}

// Runs the archiver without a shell and waits for it to end, so the folder is checked only once
// it is complete; an archiver still running at the limit is stopped and counts as failed.
bool runArchiver(const std::u16string& archiver, const std::u16string& arguments,
                 const UnpackContext& context) {
    const auto commandLine = splitCommandLine(quoteArgument(archiver) + u" " + arguments);
    context.desktop.setBusy(true);
    const ProcessOutcome outcome = runAndWait(commandLine, context.archiverLimit);
    context.desktop.setBusy(false);
    return outcome.started && outcome.finished;
}

// The folder counts when it exists exactly as named and the lister shows a file in it under the
// pattern it has.
std::optional<std::u16string> filesIn(FileLister& lister, const std::u16string& folder) {
    if (!lister.setFolder(folder)) return std::nullopt;
    if (lister.folder() + kSep != folder || lister.count() == 0) return std::nullopt;
    return lister.folder();
}

// The unpack folder, or the folder named like it inside it, for archives whose contents sit in
// such a folder.
std::optional<std::u16string> locateUnpacked(FileLister& lister, const std::u16string& folder) {
    if (auto found = filesIn(lister, folder)) return found;
    const std::u16string inner = fileNamePart(withoutTrailingSeparator(folder));
    // A link of that name (an archive may bring one) could lead anywhere: only a folder counts.
    std::error_code error;
    if (fs::is_symlink(toFsPath(folder + inner), error)) return std::nullopt;
    return filesIn(lister, folder + inner + kSep);
}

}  // namespace

std::u16string Unpack(const std::u16string& E, const UnpackContext& context) {
    auto names = namesFor(E, context);
    if (!names) return {};
    const auto ownCopy = copyArchive(context.srcPath, names->archCopy);
    if (!ownCopy) return {};

    const std::u16string fromTemplate = templateArguments(E, *names, context);
    const std::u16string arguments =
        fromTemplate.empty() ? defaultArguments(E, *names) : fromTemplate;

    std::u16string archiver = context.settings.get(kArchiverSection, E, u"");
    if (archiver.empty()) archiver = chooseArchiver(E, fromTemplate, context);
    if (archiver.empty()) return {};

    // Archivers such as unzip create the folder they unpack into but not its parent.
    std::error_code error;
    fs::create_directory(toFsPath(names->unpackRoot), error);

    std::optional<std::u16string> folder;
    if (runArchiver(archiver, arguments, context)) {
        folder = locateUnpacked(context.fileWindow.lister(), names->unpackDir);
    }
    if (!folder) {
        // A wrong archiver is asked for again at the next archive of this type.
        context.settings.save(kArchiverSection, E, u"");
        return {};
    }
    context.settings.save(kArchiverSection, E, archiver);
    if (*ownCopy) {
        fs::remove(toFsPath(names->archCopy), error);
    }
    return *folder;
}

}  // namespace lorvane
