// The engine throws VfpError; the component's callers expect DatabaseError with the same
// sentence. Every call into the engine goes through fromEngine.
#pragma once

#include "components/rows/DatabaseError.h"
#include "components/vfp/VfpError.h"

namespace rows {

template <typename Call>
auto fromEngine(Call&& call) -> decltype(call())
{
    try {
        return call();
    } catch (const vfp::VfpError& error) {
        throw DatabaseError(error.what());
    }
}

}  // namespace rows
