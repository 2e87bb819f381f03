// The one error type the FoxPro engine throws: what() is a full sentence (UTF-8) naming the
// file and the problem, and where possible the way out.
#pragma once

#include <stdexcept>
#include <string>

namespace vfp {

class VfpError : public std::runtime_error
{
public:
    explicit VfpError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vfp
