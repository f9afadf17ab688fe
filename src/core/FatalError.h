#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// The one kind of error that ends the program. The entry's guard writes its message to
// error.log; nothing else catches it (the scene's draw guard rewrites it, see Scene). The
// message is what error.log has always said; the detail (which file, why) goes to standard
// error beside it.
class FatalError : public std::runtime_error {
  public:
    explicit FatalError(const std::string& message, std::string detail = {})
        : std::runtime_error(message), detail_(std::move(detail)) {}

    const std::string& detail() const { return detail_; }

  private:
    std::string detail_;
};

} // namespace qv
