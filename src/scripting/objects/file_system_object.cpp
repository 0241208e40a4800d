#include "scripting/objects/file_system_object.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/wildcard.h"
#include "scripting/objects/fso_paths.h"
#include "scripting/objects/object_support.h"
#include "scripting/objects/text_file_open.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

namespace fs = std::filesystem;

enum Member : MemberId {
    kBuildPath,
    kCreateFolder,
    kCreateTextFile,
    kDeleteFile,
    kDeleteFolder,
    kFileExists,
    kFolderExists,
    kGetAbsolutePathName,
    kGetBaseName,
    kGetExtensionName,
    kGetFileName,
    kGetParentFolderName,
    kOpenTextFile,
};

constexpr MemberEntry kMembers[] = {
    {u"BuildPath", kBuildPath},           {u"CreateFolder", kCreateFolder},
    {u"CreateTextFile", kCreateTextFile}, {u"DeleteFile", kDeleteFile},
    {u"DeleteFolder", kDeleteFolder},     {u"FileExists", kFileExists},
    {u"FolderExists", kFolderExists},     {u"GetAbsolutePathName", kGetAbsolutePathName},
    {u"GetBaseName", kGetBaseName},       {u"GetExtensionName", kGetExtensionName},
    {u"GetFileName", kGetFileName},       {u"GetParentFolderName", kGetParentFolderName},
    {u"OpenTextFile", kOpenTextFile},
};

// The Tristate values of the format argument: -2 the system default, -1 Unicode, 0 ASCII.
TextEncoding encodingOf(int32_t format) {
    if (format == -1) return TextEncoding::Utf16;
    if (format == 0 || format == -2) return TextEncoding::CodePage;
    raise(errors::kInvalidProcedureCall);
}

bool hasWildcard(std::u16string_view name) {
    return name.find_first_of(u"*?") != std::u16string_view::npos;
}

// The Windows read-only attribute has its nearest counterpart in a file nobody may write.
bool isReadOnly(const fs::path& path) {
    std::error_code error;
    const auto permissions = fs::status(path, error).permissions();
    return !error && (permissions & fs::perms::owner_write) == fs::perms::none;
}

// The entries of `pattern` (a path whose last component may hold "*" and "?") that pass `wanted`.
// Fails with 76 when the folder part does not exist.
std::vector<fs::path> matchingEntries(const std::u16string& pattern, bool (*wanted)(const fs::path&)) {
    const std::u16string path = normalizeSeparators(pattern);
    const std::u16string name = fso::fileName(path);
    std::vector<fs::path> found;
    if (!hasWildcard(name)) {
        const fs::path resolved = toFsPath(fso::resolveExisting(path));
        if (wanted(resolved)) found.push_back(resolved);
        return found;
    }
    const std::u16string folderText = folderPart(path);
    const std::u16string folder = folderText.empty() ? u"." : resolveCaseInsensitive(folderText);
    if (!isDirectory(folder)) raise(errors::kPathNotFound);
    std::error_code error;
    for (fs::directory_iterator it(toFsPath(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (matchesPattern(fromFsPath(it->path().filename()), name) && wanted(it->path()))
            found.push_back(it->path());
    }
    return found;
}

bool isFileEntry(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool isFolderEntry(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::u16string name(Arguments& args, std::size_t i) {
    return stringArgument(args, i);
}

}  // namespace

std::shared_ptr<const CodePage> codePageOrDefault(std::shared_ptr<const CodePage> given) {
    if (given) return given;
    auto fromEnvironment = CodePage::forNumber(CodePage::numberFromEnvironment());
    if (fromEnvironment) return *fromEnvironment;
    return CodePage::forNumber(CodePage::kDefault).value();
}

FileSystemObject::FileSystemObject(std::shared_ptr<const CodePage> codePage)
    : codePage_(codePageOrDefault(std::move(codePage))) {}

MemberId FileSystemObject::findMember(std::u16string_view name) const {
    return findMemberIn(kMembers, name);
}

Variant FileSystemObject::get(MemberId member, Arguments& args) {
    switch (member) {
        case kBuildPath:
            expectArgumentCount(args, 2, 2);
            return Variant::fromString(fso::buildPath(name(args, 0), name(args, 1)));
        case kCreateFolder:
            expectArgumentCount(args, 1, 1);
            createFolder(name(args, 0));
            return {};
        case kCreateTextFile:
            return createTextFile(args);
        case kDeleteFile:
            expectArgumentCount(args, 1, 2);
            deleteFile(name(args, 0), isGiven(args, 1) && boolArgument(args, 1));
            return {};
        case kDeleteFolder:
            expectArgumentCount(args, 1, 2);
            deleteFolder(name(args, 0), isGiven(args, 1) && boolArgument(args, 1));
            return {};
        case kFileExists:
            expectArgumentCount(args, 1, 1);
            return Variant::fromBool(isRegularFile(fso::resolveExisting(name(args, 0))));
        case kFolderExists:
            expectArgumentCount(args, 1, 1);
            return Variant::fromBool(isDirectory(fso::resolveExisting(name(args, 0))));
        case kGetAbsolutePathName:
            expectArgumentCount(args, 1, 1);
            return Variant::fromString(fso::absolutePathName(name(args, 0)));
        case kGetBaseName:
            expectArgumentCount(args, 1, 1);
            return Variant::fromString(fso::baseName(name(args, 0)));
        case kGetExtensionName:
            expectArgumentCount(args, 1, 1);
            return Variant::fromString(fso::extensionName(name(args, 0)));
        case kGetFileName:
            expectArgumentCount(args, 1, 1);
            return Variant::fromString(fso::fileName(name(args, 0)));
        case kGetParentFolderName:
            expectArgumentCount(args, 1, 1);
            return Variant::fromString(fso::parentFolderName(name(args, 0)));
        case kOpenTextFile:
            return openTextFile(args);
        default:
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

// OpenTextFile(path, [iomode = 1], [create = False], [format = 0])
Variant FileSystemObject::openTextFile(Arguments& args) {
    expectArgumentCount(args, 1, 4);
    const int32_t mode = isGiven(args, 1) ? longArgument(args, 1) : 1;
    if (mode != 1 && mode != 2 && mode != 8) raise(errors::kInvalidProcedureCall);
    const bool create = isGiven(args, 2) && boolArgument(args, 2);
    const TextEncoding encoding = encodingOf(isGiven(args, 3) ? longArgument(args, 3) : 0);
    const std::u16string userPath = name(args, 0);
    const std::u16string path =
        create ? fso::resolveForCreation(userPath) : fso::resolveExisting(userPath);
    return Variant::fromObject(
        fso::openTextStream(path, static_cast<fso::OpenMode>(mode), create, encoding, codePage_));
}

// CreateTextFile(path, [overwrite = True], [unicode = False]). The Windows object's type
// information makes True the default of overwrite.
Variant FileSystemObject::createTextFile(Arguments& args) {
    expectArgumentCount(args, 1, 3);
    const bool overwrite = !isGiven(args, 1) || boolArgument(args, 1);
    const bool unicode = isGiven(args, 2) && boolArgument(args, 2);
    const std::u16string path = fso::resolveForCreation(name(args, 0));
    return Variant::fromObject(fso::createTextStream(
        path, overwrite, unicode ? TextEncoding::Utf16 : TextEncoding::CodePage, codePage_));
}

void FileSystemObject::deleteFile(const std::u16string& pattern, bool force) {
    const std::vector<fs::path> files = matchingEntries(pattern, isFileEntry);
    if (files.empty()) {
        fso::expectParentFolder(fso::resolveExisting(pattern));
        raise(errors::kFileNotFound);
    }
    for (const auto& file : files) {
        if (!force && isReadOnly(file)) raise(errors::kPermissionDenied);
        std::error_code error;
        if (!fs::remove(file, error) || error) raise(errors::kPermissionDenied);
    }
}

void FileSystemObject::deleteFolder(const std::u16string& pattern, bool force) {
    const std::vector<fs::path> folders = matchingEntries(pattern, isFolderEntry);
    if (folders.empty()) raise(errors::kPathNotFound);
    for (const auto& folder : folders) {
        if (!force && isReadOnly(folder)) raise(errors::kPermissionDenied);
        std::error_code error;
        fs::remove_all(folder, error);
        if (error) raise(errors::kPermissionDenied);
    }
}

void FileSystemObject::createFolder(const std::u16string& userPath) {
    std::u16string path = fso::resolveForCreation(userPath);
    while (path.size() > 1 && path.back() == kPathSeparator)
        path.pop_back();
    std::error_code error;
    if (fs::exists(toFsPath(path), error)) raise(errors::kFileAlreadyExists);
    const std::u16string parent = fso::parentFolderName(path);
    if (!parent.empty() && !isDirectory(parent)) raise(errors::kPathNotFound);
    if (!fs::create_directory(toFsPath(path), error) || error) raise(errors::kPermissionDenied);
}

}  // namespace lorvane::vbs
