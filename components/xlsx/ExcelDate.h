// Dates and times as spreadsheet cells hold them: a serial number of days.
#pragma once

namespace xlsx {

struct DateTime
{
    int year = 1900;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    double second = 0;  // 0 to below 60
};

// A real calendar day of the years 1900 to 9999 (the range spreadsheet dates cover) and a time
// of day.
bool isValidDateTime(const DateTime& when);

// Days since 1899-12-31, counting the 29th of February 1900 that early spreadsheet programs
// believed in (so 1900-03-01 is 61), plus the time as a fraction of a day, computed in the very
// order libxlsxwriter uses, so both write the same digits. when must be valid.
double excelSerial(const DateTime& when);

}  // namespace xlsx
