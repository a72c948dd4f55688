#pragma once

#include <string>
#include <utility>
#include <variant>

// Why something could not be done, in words a user can read: the thing concerned and the
// reason ("shot.png: Permission denied").
struct TError {
    explicit TError(std::string message) : Message(std::move(message)) {}
    std::string Message;
};

// What a function that can fail hands back: its value, or the error that stopped it. Failures
// that callers must expect travel this way rather than as exceptions; asking a failed result
// for its value (or a good one for its error) is a fault of the caller and throws
// std::bad_variant_access.
template <class T>
class [[nodiscard]] TResult {
  public:
    TResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    TResult(TError error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool Ok() const { return state_.index() == 0; }
    explicit operator bool() const { return Ok(); }

    T& Value() & { return std::get<0>(state_); }
    const T& Value() const& { return std::get<0>(state_); }
    T&& Value() && { return std::get<0>(std::move(state_)); }

    const std::string& Error() const { return std::get<1>(state_).Message; }

  private:
    std::variant<T, TError> state_;
};

// The result of a function that has nothing to hand back but can fail; `return {};` succeeds.
template <>
class [[nodiscard]] TResult<void> {
  public:
    TResult() = default;
    TResult(TError error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool Ok() const { return state_.index() == 0; }
    explicit operator bool() const { return Ok(); }

    const std::string& Error() const { return std::get<1>(state_).Message; }

  private:
    std::variant<std::monostate, TError> state_;
};
