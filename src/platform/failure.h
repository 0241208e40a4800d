// Failures as values: what failed, its number in the run-time error numbering users know from
// the script language, and where (file, line, column) when a place is known.
#pragma once

#include <string>
#include <utility>
#include <variant>

#include "platform/error_catalogue.h"

namespace lorvane {

struct Failure {
    int number = 0;
    std::u16string description;
    std::u16string file;  // empty when no file is involved
    int line = 0;         // 1-based; 0 when unknown
    int column = 0;       // 1-based; 0 when unknown

    // "file(line, column) error number: description", leaving out what is unknown; in Russian
    // "ошибка" and the catalogue's Russian wording.
    std::string message(errors::Language language = errors::Language::English) const;
};

// Makes a failure from a catalogue number, with the catalogue's wording.
Failure failureFor(int number, std::u16string file = {});

// Either a value or the failure that prevented it.
template <class T>
class [[nodiscard]] Expected {
  public:
    Expected(T value) : state_(std::move(value)) {}
    Expected(Failure failure) : state_(std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const Failure& failure() const { return std::get<1>(state_); }

  private:
    std::variant<T, Failure> state_;
};

// The result of an operation that yields nothing but may fail.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Failure failure) : failure_(std::move(failure)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return failure_; }

  private:
    Failure failure_;
    bool failed_ = false;
};

}  // namespace lorvane
