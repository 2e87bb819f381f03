// Why the SQL of a view cannot be run here: one sentence without the view's name, which the
// caller adds ("The view x of y.dbc cannot be opened: <reason>").
#pragma once

#include <stdexcept>
#include <string>

namespace foxsql {

class TranslationError : public std::runtime_error
{
public:
    explicit TranslationError(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace foxsql
