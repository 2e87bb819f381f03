// For tests of remote views that must fail alike on every machine: the ODBC driver manager of
// the test process (and of the programs it starts) sees an empty folder, with no data source
// and no driver, whatever the machine has configured.
#pragma once

namespace testsupport {

// Points ODBCSYSINI and ODBCINI at an empty temporary folder, once per process. The driver
// manager reads these variables once, so call this before a remote view is first opened.
void useNoOdbcDataSources();

}  // namespace testsupport
