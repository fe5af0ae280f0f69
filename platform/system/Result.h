#pragma once

#include <string>
#include <utility>
#include <variant>

namespace tovrin {

// A failure as a value: subsystems hand these back instead of throwing.
struct Error {
    std::string message;
};

template <class T>
class Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<T>(state_); }
    const T& value() const { return std::get<T>(state_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    const Error& error() const { return std::get<Error>(state_); }

private:
    std::variant<T, Error> state_;
};

// Result of an operation that yields nothing but success or an error.
class Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error)), failed_(true) {}
    static Status Ok() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

private:
    Error error_;
    bool failed_ = false;
};

}  // namespace tovrin
