// Package parts: content types, relationships, document properties, the workbook and its styles.
#include "components/xlsx/PackageParts.h"

#include "components/xlsx/XmlText.h"

namespace xlsx {

namespace {

constexpr std::string_view kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view kRelationshipsStart =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
constexpr std::string_view kDocumentRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr std::string_view kSheetContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr std::size_t kFirstCustomNumberFormat = 164;  // ids below are built in

std::string relationship(std::size_t id, std::string_view type, std::string_view target)
{
    return "<Relationship Id=\"rId" + std::to_string(id) + "\" Type=\"" + std::string(type) +
           "\" Target=\"" + std::string(target) + "\"/>";
}

}  // namespace

std::string sheetPartName(std::size_t number)
{
    return "xl/worksheets/sheet" + std::to_string(number) + ".xml";
}

std::string contentTypesXml(std::size_t sheetCount)
{
    std::string xml(kDeclaration);
    xml +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/docProps/app.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
        "<Override PartName=\"/docProps/core.xml\" "
        "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
        "<Override PartName=\"/xl/theme/theme1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
    for (std::size_t number = 1; number <= sheetCount; ++number) {
        xml += "<Override PartName=\"/" + sheetPartName(number) + "\" ContentType=\"" +
               std::string(kSheetContentType) + "\"/>";
    }
    xml += "</Types>";
    return xml;
}

std::string rootRelationshipsXml()
{
    std::string xml(kDeclaration);
    xml += kRelationshipsStart;
    xml +=
        relationship(1, std::string(kDocumentRelationships) + "officeDocument", "xl/workbook.xml");
    xml += relationship(
        2, "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties",
        "docProps/core.xml");
    xml += relationship(3, std::string(kDocumentRelationships) + "extended-properties",
                        "docProps/app.xml");
    xml += "</Relationships>";
    return xml;
}

std::string workbookRelationshipsXml(std::size_t sheetCount)
{
    std::string xml(kDeclaration);
    xml += kRelationshipsStart;
    for (std::size_t number = 1; number <= sheetCount; ++number) {
        xml += relationship(number, std::string(kDocumentRelationships) + "worksheet",
                            "worksheets/sheet" + std::to_string(number) + ".xml");
    }
    xml += relationship(sheetCount + 1, std::string(kDocumentRelationships) + "theme",
                        "theme/theme1.xml");
    xml +=
        relationship(sheetCount + 2, std::string(kDocumentRelationships) + "styles", "styles.xml");
    xml += "</Relationships>";
    return xml;
}

std::string appPropertiesXml(const std::vector<std::string>& names)
{
    const std::string count = std::to_string(names.size());
    std::string xml(kDeclaration);
    xml +=
        "<Properties "
        "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
        "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
        "<Application>Microsoft Excel</Application><DocSecurity>0</DocSecurity>"
        "<ScaleCrop>false</ScaleCrop><HeadingPairs><vt:vector size=\"2\" "
        "baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>"
        "<vt:variant><vt:i4>" +
        count +
        "</vt:i4></vt:variant></vt:vector></HeadingPairs><TitlesOfParts><vt:vector size=\"" +
        count + "\" baseType=\"lpstr\">";
    for (const std::string& name : names)
        xml += "<vt:lpstr>" + escapedData(name) + "</vt:lpstr>";
    xml +=
        "</vt:vector></TitlesOfParts><Company></Company><LinksUpToDate>false</LinksUpToDate>"
        "<SharedDoc>false</SharedDoc><HyperlinksChanged>false</HyperlinksChanged>"
        "<AppVersion>12.0000</AppVersion></Properties>";
    return xml;
}

std::string corePropertiesXml(std::time_t created)
{
    std::tm utc{};
    gmtime_r(&created, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string xml(kDeclaration);
    xml +=
        "<cp:coreProperties "
        "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><dc:creator></dc:creator>"
        "<cp:lastModifiedBy></cp:lastModifiedBy><dcterms:created xsi:type=\"dcterms:W3CDTF\">";
    xml += stamp;
    xml += "</dcterms:created><dcterms:modified xsi:type=\"dcterms:W3CDTF\">";
    xml += stamp;
    xml += "</dcterms:modified></cp:coreProperties>";
    return xml;
}

std::string workbookXml(const std::vector<std::string>& names, std::size_t activeTab)
{
    std::string xml(kDeclaration);
    xml +=
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<fileVersion appName=\"xl\" lastEdited=\"4\" lowestEdited=\"4\" rupBuild=\"4505\"/>"
        "<workbookPr defaultThemeVersion=\"124226\"/><bookViews><workbookView xWindow=\"240\" "
        "yWindow=\"15\" windowWidth=\"16095\" windowHeight=\"9660\"";
    if (activeTab > 0)
        xml += " activeTab=\"" + std::to_string(activeTab) + "\"";
    xml += "/></bookViews><sheets>";
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        xml += "<sheet name=\"" + escapedAttribute(names[i]) + "\" sheetId=\"" + number +
               "\" r:id=\"rId" + number + "\"/>";
    }
    xml += "</sheets><calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/></workbook>";
    return xml;
}

std::string stylesXml(const std::vector<std::string>& numberFormats)
{
    std::string xml(kDeclaration);
    xml += "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!numberFormats.empty()) {
        xml += "<numFmts count=\"" + std::to_string(numberFormats.size()) + "\">";
        for (std::size_t i = 0; i < numberFormats.size(); ++i) {
            xml += "<numFmt numFmtId=\"" + std::to_string(kFirstCustomNumberFormat + i) +
                   "\" formatCode=\"" + escapedAttribute(numberFormats[i]) + "\"/>";
        }
        xml += "</numFmts>";
    }
    xml +=
        "<fonts count=\"1\"><font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/>"
        "<family val=\"2\"/><scheme val=\"minor\"/></font></fonts><fills count=\"2\"><fill>"
        "<patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/>"
        "</fill></fills><borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/>"
        "</border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" "
        "fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
    xml += "<cellXfs count=\"" + std::to_string(numberFormats.size() + 1) +
           "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>";
    for (std::size_t i = 0; i < numberFormats.size(); ++i) {
        xml += "<xf numFmtId=\"" + std::to_string(kFirstCustomNumberFormat + i) +
               "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
    }
    xml +=
        "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
        "builtinId=\"0\"/></cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\" "
        "defaultTableStyle=\"TableStyleMedium9\" defaultPivotStyle=\"PivotStyleLight16\"/>"
        "</styleSheet>";
    return xml;
}

}  // namespace xlsx
