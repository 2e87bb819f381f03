// Out-of-line destructors, so each interface's vtable lives in this library.
#include "components/spreadsheet/Application.h"

namespace spreadsheet {

Worksheet::~Worksheet() = default;
Workbook::~Workbook() = default;
Application::~Application() = default;

}  // namespace spreadsheet
