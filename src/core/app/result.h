// SPDX-License-Identifier: MIT
#pragma once
// The one error convention of the operations that touch files: each returns a Result, which
// is success (holding the operation's value, if it gives one) or the message to show. The
// window shows every failure through its one message function.

#include <QString>

#include <optional>
#include <utility>

// What a failed operation returns: the message to show, naming what went wrong.
struct Failure {
    QString message;
};

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : held(std::move(value)) {}
    Result(Failure failure) : error(std::move(failure.message)) {}

    bool ok() const { return held.has_value(); }
    explicit operator bool() const { return ok(); }
    // The value of a success; only to be asked for when ok().
    T& operator*() { return *held; }
    const T& operator*() const { return *held; }
    T* operator->() { return &*held; }
    const T* operator->() const { return &*held; }
    // The message to show; empty on success.
    const QString& message() const { return error; }

private:
    std::optional<T> held;
    QString error;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default; // success
    Result(Failure failure) : failed(true), error(std::move(failure.message)) {}

    bool ok() const { return !failed; }
    explicit operator bool() const { return ok(); }
    const QString& message() const { return error; }

private:
    bool failed = false;
    QString error;
};
