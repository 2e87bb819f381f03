// A small container for the view tests (people, orders with texts, dates, logicals, currency,
// memos and Nulls) and a way to run any FoxPro SELECT over it as a view.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "components/vfpwriter/ContainerWriter.h"
#include "tests/support/TableSupport.h"

namespace viewtest {

using dbtest::Row;

// Writes shop.dbc in folder with the tables
//   people(id I, name C(10), first C(8), last C(10), born D null, stamp T, member L,
//          balance Y, rate N(6,2) null, notes M)
//     1 Tom   Tom   Smith  1990-05-17 2001-02-03 04:05:06 .T.  12.5000  1.50 "note one"
//     2 Tommy Tom   Brown  1999-12-31 2001-02-03 23:59:59 .F.   0.3333  2.25 ""
//     3 Anna  Anna  Smith  <null>     2002-01-01 00:00:00 .T. -10.0000 <null> "x"
//     4 Émile Émile Zola   2000-02-29 2003-03-03 03:03:03 .F.   7.1250  0.00 "long"
//     5 Ann   Ann   Lee    2000-01-01 2004-04-04 04:04:04 .T.   7.1250 -1.25 "" (deleted)
//   orders(id I, person I, amount Y, day D, code C(5))
//     10 1 100.0000 1997-01-05 "A1"; 11 1 250.5000 1997-06-30 "A1"; 12 2 19.9900 1998-02-01 "B  ";
//     13 4  5.0000 1997-12-31 "C3"; 14 9 1.0000 1997-07-07 "Z9" (no such person)
// and the views given (name, SQL, columns).
std::filesystem::path writeShop(
    const std::filesystem::path& folder,
    const std::vector<std::pair<std::string, std::string>>& views = {},
    const std::vector<std::vector<vfpwriter::ContainerWriter::ViewColumn>>& viewColumns = {});

// Runs `sql` as a view of `dbc` and returns every row as cell texts ("<null>" for Null).
std::vector<Row> runSql(const std::filesystem::path& dbc, const std::string& sql);

// The message of the DatabaseError that opening `sql` as a view of `dbc` and reading its
// first row throws, or "" when both succeed.
std::string openError(const std::filesystem::path& dbc, const std::string& sql);

}  // namespace viewtest
