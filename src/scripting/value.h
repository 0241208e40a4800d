// The script language's values: a Variant with its subtypes (Empty, Null, Boolean, Byte,
// Integer, Long, Single, Double, Date, String, Object or Nothing, arrays). These are raw values;
// conversions between subtypes follow the language's rules and live in coerce.h.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace lorvane::vbs {

class Object;
class Array;
class Variant;
using ObjectRef = std::shared_ptr<Object>;

// The numbers VarType reports.
enum class VarType : int {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Date = 7,
    String = 8,
    Object = 9,  // an object or Nothing
    Boolean = 11,
    Byte = 17,
    Array = 8204,  // vbArray + vbVariant: every script array holds Variants
};

// Values nested without bound (arrays of arrays, chains of objects) are released one level at
// a time instead of recursively, so dropping a long chain cannot exhaust the stack.
void releaseNested(std::vector<Variant>& values);

class Variant {
  public:
    Variant() = default;  // Empty

    static Variant null();
    static Variant fromBool(bool value);
    static Variant fromByte(uint8_t value);
    static Variant fromInteger(int16_t value);
    static Variant fromLong(int32_t value);
    static Variant fromSingle(float value);
    static Variant fromDouble(double value);
    // Days since 30 December 1899, the fraction being the time of day.
    static Variant fromDate(double value);
    static Variant fromString(std::u16string value);
    static Variant fromObject(ObjectRef object);  // a null pointer is Nothing
    static Variant nothing() { return fromObject(nullptr); }
    static Variant fromArray(std::shared_ptr<Array> array);

    VarType type() const;
    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNull() const { return std::holds_alternative<NullTag>(value_); }
    bool isString() const { return std::holds_alternative<std::u16string>(value_); }
    bool isObject() const { return std::holds_alternative<ObjectHolder>(value_); }  // or Nothing
    bool isNothing() const { return isObject() && !asObject(); }
    bool isArray() const { return std::holds_alternative<ArrayHolder>(value_); }
    bool isBool() const { return std::holds_alternative<bool>(value_); }
    // Byte, Integer, Long, Single, Double or Date.
    bool isNumber() const;

    // Raw access; the subtype must be the one asked for (check type() first).
    bool asBool() const { return std::get<bool>(value_); }
    uint8_t asByte() const { return std::get<uint8_t>(value_); }
    int16_t asInteger() const { return std::get<int16_t>(value_); }
    int32_t asLong() const { return std::get<int32_t>(value_); }
    float asSingle() const { return std::get<float>(value_); }
    double asDouble() const { return std::get<double>(value_); }
    double asDate() const { return std::get<DateHolder>(value_).days; }
    const std::u16string& asString() const { return std::get<std::u16string>(value_); }
    // The text for changing it in place; the subtype must be String.
    std::u16string& mutableString() { return std::get<std::u16string>(value_); }
    const ObjectRef& asObject() const { return std::get<ObjectHolder>(value_).object; }
    const Array& asArray() const { return *std::get<ArrayHolder>(value_).array; }
    // The array for changing it. Arrays are values in the script language (assigning one copies
    // it), so a shared array is copied here first: copying Variants stays cheap.
    Array& mutableArray();
    // The shared array itself, for keeping it alive while a reference into it is in use.
    const std::shared_ptr<Array>& arrayHandle() const {
        return std::get<ArrayHolder>(value_).array;
    }

    // Any number subtype as a double (Byte ... Double, Date); the subtype must be a number.
    double numberValue() const;

  private:
    struct NullTag {};
    struct DateHolder {
        double days;
    };
    struct ObjectHolder {
        ObjectRef object;
    };
    struct ArrayHolder {
        std::shared_ptr<Array> array;
    };
    std::variant<std::monostate, NullTag, bool, uint8_t, int16_t, int32_t, float, double,
                 DateHolder, std::u16string, ObjectHolder, ArrayHolder>
        value_;
};

// A script array: one or more dimensions, each indexed from 0 to its upper bound (an upper bound
// of -1 is an empty dimension). Elements are stored with the first index varying fastest, so
// ReDim Preserve, which may change only the last dimension, keeps every element in place.
class Array {
  public:
    Array() = default;  // a dynamic array not dimensioned yet (UBound fails)
    explicit Array(std::vector<int32_t> upperBounds);
    Array(const Array&) = default;
    Array& operator=(const Array&) = default;
    Array(Array&&) = default;
    Array& operator=(Array&&) = default;
    ~Array();

    int dimensions() const { return static_cast<int>(upper_.size()); }
    // `dimension` counts from 0.
    int32_t upperBound(int dimension) const { return upper_[static_cast<std::size_t>(dimension)]; }
    std::size_t size() const { return elements_.size(); }

    // The element at these indices, or nullptr when their count or a value is out of range.
    Variant* at(std::span<const int32_t> indices);
    const Variant* at(std::span<const int32_t> indices) const;

    std::vector<Variant>& elements() { return elements_; }
    const std::vector<Variant>& elements() const { return elements_; }

    // New bounds; the elements are kept (Preserve) where they still fit, else all are Empty.
    void redim(std::vector<int32_t> upperBounds, bool preserve);

    // `Dim a(3)` makes a fixed array: ReDim and Erase of its storage fail.
    bool fixed = false;
    // While an element is passed by reference the array must not be resized (error 10).
    int locks = 0;

  private:
    std::vector<int32_t> upper_;
    std::vector<Variant> elements_;
};

}  // namespace lorvane::vbs
