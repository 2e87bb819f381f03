// The errors the workbook writer throws. what() is a full sentence (UTF-8) naming the sheet, the
// cell or the file concerned.
#pragma once

#include <stdexcept>

namespace xlsx {

// A call the writer refuses (a cell outside the sheet, text that is not UTF-8, a sheet already
// complete); the workbook stays as it was and takes further calls.
class XlsxError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The file could not be written (a full disk, say). The workbook is lost: every later call
// throws this error again, and the file must be dropped.
class FileError : public XlsxError
{
public:
    using XlsxError::XlsxError;
};

}  // namespace xlsx
