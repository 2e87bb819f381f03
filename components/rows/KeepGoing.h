// How long work inside the database component learns that it is to stop: running a view's
// query or a remote view's SQL can take as long as its data makes it, so the component asks
// its caller now and then whether to go on. Stopping is not failing: a stop surfaces as
// Stopped, never as a DatabaseError.
#pragma once

#include <exception>
#include <functional>

namespace rows {

// Asked on the thread that started the work, about every few milliseconds while the work
// goes on (SQLite's progress handler, the wait for a server); return false to stop it. The
// caller may process window events inside. An empty KeepGoing never stops.
using KeepGoing = std::function<bool()>;

// Thrown when work ended because KeepGoing said to stop; nothing half done is handed out.
class Stopped : public std::exception
{
public:
    const char* what() const noexcept override { return "Stopped on request."; }
};

}  // namespace rows
