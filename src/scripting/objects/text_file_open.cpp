#include "scripting/objects/text_file_open.h"

#include <filesystem>
#include <iterator>
#include <system_error>

#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "scripting/script_error.h"

namespace lorvane::vbs::fso {
namespace {

constexpr char kUtf16Bom[] = "\xFF\xFE";

bool exists(const std::u16string& path) {
    std::error_code error;
    return std::filesystem::exists(toFsPath(path), error);
}

std::u16string decodeUtf16(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes.substr(0, 2) == std::string_view(kUtf16Bom, 2))
        bytes.remove_prefix(2);
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

std::shared_ptr<TextStream> openForReading(const std::u16string& path, TextEncoding encoding,
                                           const std::shared_ptr<const CodePage>& codePage) {
    std::ifstream in(toFsPath(path), std::ios::binary);
    if (!in) raise(errors::kPermissionDenied);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) raise(errors::kDeviceIoError);
    return std::make_shared<TextStream>(encoding == TextEncoding::Utf16 ? decodeUtf16(bytes)
                                                                        : codePage->decode(bytes));
}

std::shared_ptr<TextStream> openForWriting(const std::u16string& path, bool append,
                                           TextEncoding encoding,
                                           const std::shared_ptr<const CodePage>& codePage) {
    std::error_code error;
    const bool startsEmpty =
        !append || !exists(path) || std::filesystem::file_size(toFsPath(path), error) == 0;
    auto file = std::make_unique<std::ofstream>(
        toFsPath(path), std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (!*file) raise(errors::kPermissionDenied);
    if (encoding == TextEncoding::Utf16 && startsEmpty) file->write(kUtf16Bom, 2);
    return std::make_shared<TextStream>(std::move(file), encoding, codePage);
}

}  // namespace

void expectParentFolder(const std::u16string& path) {
    const std::u16string folder = folderPart(path);
    if (!folder.empty() && !isDirectory(folder)) raise(errors::kPathNotFound);
}

std::shared_ptr<TextStream> openTextStream(const std::u16string& path, OpenMode mode, bool create,
                                           TextEncoding encoding,
                                           const std::shared_ptr<const CodePage>& codePage) {
    if (isDirectory(path)) raise(errors::kPermissionDenied);
    expectParentFolder(path);
    const bool found = exists(path);
    if (!found && !create) raise(errors::kFileNotFound);
    if (mode == OpenMode::Reading) {
        if (!found) {
            // Asked to create it: the new file is empty.
            std::ofstream created(toFsPath(path), std::ios::binary);
            if (!created) raise(errors::kPermissionDenied);
            return std::make_shared<TextStream>(std::u16string());
        }
        return openForReading(path, encoding, codePage);
    }
    return openForWriting(path, mode == OpenMode::Appending, encoding, codePage);
}

std::shared_ptr<TextStream> createTextStream(const std::u16string& path, bool overwrite,
                                             TextEncoding encoding,
                                             const std::shared_ptr<const CodePage>& codePage) {
    if (exists(path)) {
        if (!overwrite) raise(errors::kFileAlreadyExists);
        if (isDirectory(path)) raise(errors::kPermissionDenied);
    }
    expectParentFolder(path);
    return openForWriting(path, false, encoding, codePage);
}

}  // namespace lorvane::vbs::fso
