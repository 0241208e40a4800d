#include "scripting/host_object.h"

#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {

Arguments::Arguments(std::vector<Variant> values) {
    for (auto& value : values)
        pushValue(std::move(value));
}

void Arguments::pushValue(Variant value) {
    owned_.push_back(std::move(value));
    slots_.push_back(&owned_.back());
    byReference_.push_back(false);
}

void Arguments::pushRef(Variant& storage) {
    slots_.push_back(&storage);
    byReference_.push_back(true);
}

void Object::let(MemberId, Arguments&, const Variant&) {
    raise(errors::kObjectDoesNotSupportProperty);
}

void Object::set(MemberId, Arguments&, const Variant&) {
    raise(errors::kObjectDoesNotSupportProperty);
}

void ObjectRegistry::add(std::u16string progId, ObjectFactory factory) {
    for (auto& entry : entries_) {
        if (equalsIgnoringCase(entry.first, progId)) {
            entry.second = std::move(factory);
            return;
        }
    }
    entries_.emplace_back(std::move(progId), std::move(factory));
}

bool ObjectRegistry::contains(std::u16string_view progId) const {
    for (const auto& entry : entries_) {
        if (equalsIgnoringCase(entry.first, progId)) return true;
    }
    return false;
}

ObjectRef ObjectRegistry::create(std::u16string_view progId, const HostContext& context) const {
    for (const auto& entry : entries_) {
        if (equalsIgnoringCase(entry.first, progId)) return entry.second(context);
    }
    return nullptr;
}

}  // namespace lorvane::vbs
