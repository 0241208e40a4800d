// The object kinds every interpreter can create. Each kind registers its factory here.
#include "scripting/host_object.h"
#include "scripting/objects/register_objects.h"

namespace lorvane::vbs {

void registerStandardObjects(ObjectRegistry& registry) {
    registerScriptingObjects(registry);
}

}  // namespace lorvane::vbs
