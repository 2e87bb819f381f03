// The parts of a workbook package besides the sheets, each as libxlsxwriter writes it for a
// workbook of inline-string sheets, byte for byte.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace xlsx {

std::string contentTypesXml(std::size_t sheetCount);
std::string rootRelationshipsXml();
std::string workbookRelationshipsXml(std::size_t sheetCount);
// names: the sheets in tab order; activeTab: 0-based index of the active sheet.
std::string appPropertiesXml(const std::vector<std::string>& names);
std::string corePropertiesXml(std::time_t created);
std::string workbookXml(const std::vector<std::string>& names, std::size_t activeTab);
// numberFormats: format codes of the cell styles 1, 2, ... in the order the cells first used
// them.
std::string stylesXml(const std::vector<std::string>& numberFormats);
std::string_view themeXml();

// "xl/worksheets/sheet3.xml" for the sheet with 1-based number 3.
std::string sheetPartName(std::size_t number);

}  // namespace xlsx
