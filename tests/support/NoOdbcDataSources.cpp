// An empty ODBC configuration for the test process.
#include "tests/support/NoOdbcDataSources.h"

#include <cstdlib>

#include "tests/support/TempDir.h"

namespace testsupport {

void useNoOdbcDataSources()
{
    static const TempDir folder;  // removed when the process ends
    setenv("ODBCSYSINI", folder.path().c_str(), 1);
    setenv("ODBCINI", (folder.path() / "odbc.ini").c_str(), 1);
}

}  // namespace testsupport
