#include "scripting/value.h"

#include "platform/error_catalogue.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {

Variant Variant::null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant Variant::fromBool(bool value) {
    Variant v;
    v.value_ = value;
    return v;
}

Variant Variant::fromByte(uint8_t value) {
    Variant v;
    v.value_ = value;
    return v;
}

Variant Variant::fromInteger(int16_t value) {
    Variant v;
    v.value_ = value;
    return v;
}

Variant Variant::fromLong(int32_t value) {
    Variant v;
    v.value_ = value;
    return v;
}

Variant Variant::fromSingle(float value) {
    Variant v;
    v.value_ = value;
    return v;
}

Variant Variant::fromDouble(double value) {
    Variant v;
    v.value_ = value;
    return v;
}

Variant Variant::fromDate(double value) {
    Variant v;
    v.value_ = DateHolder{value};
    return v;
}

Variant Variant::fromString(std::u16string value) {
    Variant v;
    v.value_ = std::move(value);
    return v;
}

Variant Variant::fromObject(ObjectRef object) {
    Variant v;
    v.value_ = ObjectHolder{std::move(object)};
    return v;
}

Variant Variant::fromArray(std::shared_ptr<Array> array) {
    Variant v;
    v.value_ = ArrayHolder{std::move(array)};
    return v;
}

VarType Variant::type() const {
    static constexpr VarType kTypes[] = {
        VarType::Empty,   VarType::Null,   VarType::Boolean, VarType::Byte,
        VarType::Integer, VarType::Long,   VarType::Single,  VarType::Double,
        VarType::Date,    VarType::String, VarType::Object,  VarType::Array,
    };
    return kTypes[value_.index()];
}

bool Variant::isNumber() const {
    switch (type()) {
        case VarType::Byte:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
        case VarType::Date:
            return true;
        default:
            return false;
    }
}

double Variant::numberValue() const {
    switch (type()) {
        case VarType::Byte:
            return asByte();
        case VarType::Integer:
            return asInteger();
        case VarType::Long:
            return asLong();
        case VarType::Single:
            return asSingle();
        case VarType::Double:
            return asDouble();
        case VarType::Date:
            return asDate();
        case VarType::Boolean:
            return asBool() ? -1 : 0;
        default:
            return 0;
    }
}

Array& Variant::mutableArray() {
    auto& holder = std::get<ArrayHolder>(value_);
    // References held by pins of by-reference arguments (counted in locks) are no owners.
    if (holder.array.use_count() > 1 + holder.array->locks) {
        auto copy = std::make_shared<Array>(*holder.array);
        copy->locks = 0;
        holder.array = std::move(copy);
    }
    return *holder.array;
}

namespace {

std::size_t elementCount(const std::vector<int32_t>& upper) {
    std::size_t count = 1;
    for (int32_t u : upper)
        count *= static_cast<std::size_t>(u + 1);
    return count;
}

}  // namespace

namespace {

// The values waiting to be released by the outermost releaseNested of this thread.
thread_local std::vector<std::vector<Variant>>* pendingRelease = nullptr;

}  // namespace

void releaseNested(std::vector<Variant>& values) {
    if (values.empty()) return;
    if (pendingRelease) {
        pendingRelease->push_back(std::move(values));
        values.clear();
        return;
    }
    std::vector<std::vector<Variant>> queue;
    pendingRelease = &queue;
    queue.push_back(std::move(values));
    values.clear();
    while (!queue.empty()) {
        std::vector<Variant> batch = std::move(queue.back());
        queue.pop_back();
        batch.clear();  // releasing these may queue what they hold
    }
    pendingRelease = nullptr;
}

Array::~Array() {
    releaseNested(elements_);
}

Array::Array(std::vector<int32_t> upperBounds) : upper_(std::move(upperBounds)) {
    elements_.resize(elementCount(upper_));
}

const Variant* Array::at(std::span<const int32_t> indices) const {
    if (indices.size() != upper_.size() || upper_.empty()) return nullptr;
    std::size_t offset = 0;
    std::size_t stride = 1;
    for (std::size_t d = 0; d < indices.size(); ++d) {
        if (indices[d] < 0 || indices[d] > upper_[d]) return nullptr;
        offset += static_cast<std::size_t>(indices[d]) * stride;
        stride *= static_cast<std::size_t>(upper_[d] + 1);
    }
    return &elements_[offset];
}

Variant* Array::at(std::span<const int32_t> indices) {
    return const_cast<Variant*>(static_cast<const Array*>(this)->at(indices));
}

void Array::redim(std::vector<int32_t> upperBounds, bool preserve) {
    const std::size_t count = elementCount(upperBounds);
    if (!preserve) {
        elements_.assign(count, Variant());
    } else {
        // Only the last dimension may change, so the kept elements are a prefix.
        elements_.resize(count);
    }
    upper_ = std::move(upperBounds);
}

}  // namespace lorvane::vbs
