// The object kinds every interpreter can create. Each kind registers its factory here.
#include "scripting/host_object.h"

namespace lorvane::vbs {

void registerStandardObjects(ObjectRegistry& registry) {
    (void)registry;
}

}  // namespace lorvane::vbs
