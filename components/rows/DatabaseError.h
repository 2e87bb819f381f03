// The error every operation of the database component throws; what() is the description the
// error report shows (UTF-8).
#pragma once

#include <stdexcept>

namespace rows {

class DatabaseError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

}  // namespace rows
