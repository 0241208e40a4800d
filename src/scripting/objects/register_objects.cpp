#include "scripting/objects/register_objects.h"

#include <memory>

#include "scripting/host_object.h"
#include "scripting/objects/dictionary.h"
#include "scripting/objects/file_system_object.h"
#include "scripting/objects/regexp.h"

namespace lorvane::vbs {

void registerScriptingObjects(ObjectRegistry& registry) {
    registry.add(u"Scripting.Dictionary",
                 [](const HostContext&) { return std::make_shared<Dictionary>(); });
    registry.add(u"Scripting.FileSystemObject", [](const HostContext& context) {
        return std::make_shared<FileSystemObject>(context.codePage);
    });
    registry.add(u"RegExp", [](const HostContext&) { return std::make_shared<RegExp>(); });
    registry.add(u"VBScript.RegExp", [](const HostContext&) { return std::make_shared<RegExp>(); });
}

}  // namespace lorvane::vbs
