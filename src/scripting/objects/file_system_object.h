// "Scripting.FileSystemObject": text files opened as TextStreams, existence tests, the name
// functions, and creating and deleting files and folders. Paths from scripts may use "\";
// relative paths are taken from the current directory; letter case is resolved as on Windows.
#pragma once

#include <memory>
#include <string>

#include "scripting/host_object.h"

namespace lorvane {
class CodePage;
}

namespace lorvane::vbs {

class FileSystemObject : public Object {
  public:
    // Text files are read and written in `codePage` unless a script asks for UTF-16.
    explicit FileSystemObject(std::shared_ptr<const CodePage> codePage);

    std::u16string typeName() const override { return u"FileSystemObject"; }
    MemberId findMember(std::u16string_view name) const override;
    Variant get(MemberId member, Arguments& args) override;

  private:
    Variant openTextFile(Arguments& args);
    Variant createTextFile(Arguments& args);
    void deleteFile(const std::u16string& pattern, bool force);
    void deleteFolder(const std::u16string& pattern, bool force);
    void createFolder(const std::u16string& userPath);

    std::shared_ptr<const CodePage> codePage_;
};

// The page the host gave, else the one the environment selects, else the default page.
std::shared_ptr<const CodePage> codePageOrDefault(std::shared_ptr<const CodePage> given);

}  // namespace lorvane::vbs
