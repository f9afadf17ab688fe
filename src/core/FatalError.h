#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// The one kind of error that ends the program. The entry's guard writes its message to
// error.log; nothing else catches it (the scene's draw guard rewrites it, see Scene).
class FatalError : public std::runtime_error {
  public:
    explicit FatalError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace qv
