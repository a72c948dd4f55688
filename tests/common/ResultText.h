#pragma once

#include <string>

#include "base/Result.h"

// A result's error text, empty for success, so that a table of cases can hold both.
template <class T>
std::string ErrorText(const TResult<T>& result) {
    return result.Ok() ? std::string() : result.Error();
}
