// The workbook: its sheets and number formats, the one sheet taking cells, and the package
// parts written at the end.
#include "components/xlsx/WorkbookWriter.h"

#include <algorithm>
#include <ctime>

#include <zlib.h>

#include "components/text/AsciiCase.h"
#include "components/xlsx/Limits.h"
#include "components/xlsx/PackageParts.h"
#include "components/xlsx/WriterMessages.h"
#include "components/xlsx/XlsxError.h"
#include "components/xlsx/XmlText.h"

namespace xlsx {

namespace {

constexpr std::string_view kForbiddenInNames = "[]:*?/\\";
constexpr std::string_view kDefaultSheetName = "Sheet1";  // a workbook closed without sheets

bool isUsableName(std::string_view name)
{
    const long length = nameLength(name);
    return length >= 1 && length <= kMaxSheetNameLength &&
           name.find_first_of(kForbiddenInNames) == std::string_view::npos &&
           name.front() != '\'' && name.back() != '\'';
}

}  // namespace

WorkbookWriter::WorkbookWriter(int descriptor, std::string fileName)
    : mFile(descriptor, std::move(fileName)), mZip(mFile), mBackground(mFile)
{}

WorkbookWriter::~WorkbookWriter() = default;

Format WorkbookWriter::addNumberFormat(std::string_view code)
{
    checkUsable();
    const auto known = std::find(mFormatCodes.begin(), mFormatCodes.end(), code);
    if (known != mFormatCodes.end())
        return Format(static_cast<int>(known - mFormatCodes.begin()) + 1);
    mFormatCodes.emplace_back(code);
    mStyleOfFormat.push_back(0);
    return Format(static_cast<int>(mFormatCodes.size()));
}

SheetWriter& WorkbookWriter::addSheet(std::string_view name)
{
    checkUsable();
    if (!isUsableName(name))
        throw XlsxError(messages::sheetNameNotValid(name));
    for (const auto& sheet : mSheets) {
        if (text::equalsIgnoringAsciiCase(sheet->name(), name))
            throw XlsxError(messages::sheetNameTaken(name));
    }
    mSheets.push_back(std::unique_ptr<SheetWriter>(
        new SheetWriter(*this, std::string(name), mSheets.size() + 1)));
    return *mSheets.back();
}

void WorkbookWriter::activate(SheetWriter& sheet)
{
    checkUsable();
    if (&sheet.mBook != this)
        throw XlsxError(messages::sheetUnknown());
    mActive = &sheet;
}

void WorkbookWriter::close()
{
    checkUsable();
    if (mSheets.empty())
        addSheet(kDefaultSheetName);
    writing([&] {
        const SheetWriter* active = mActive ? mActive : mSheets.front().get();
        if (mOpen)
            mOpen->complete(mOpen == active);
        mOpen = nullptr;
        std::vector<std::string> names;
        for (const auto& sheet : mSheets) {
            if (sheet->mState == SheetWriter::State::Waiting) {
                sheet->open(mZip.end());
                sheet->complete(sheet.get() == active);
            }
            if (sheet->selectedInFile() != (sheet.get() == active))
                sheet->select(sheet.get() == active);
            names.push_back(sheet->name());
        }
        const auto activeTab = static_cast<std::size_t>(
            std::find_if(mSheets.begin(), mSheets.end(),
                         [&](const auto& sheet) { return sheet.get() == active; }) -
            mSheets.begin());
        writePart("[Content_Types].xml", contentTypesXml(mSheets.size()));
        writePart("_rels/.rels", rootRelationshipsXml());
        writePart("docProps/app.xml", appPropertiesXml(names));
        writePart("docProps/core.xml", corePropertiesXml(std::time(nullptr)));
        writePart("xl/workbook.xml", workbookXml(names, activeTab));
        writePart("xl/_rels/workbook.xml.rels", workbookRelationshipsXml(mSheets.size()));
        writePart("xl/styles.xml", stylesXml(mStyleCodes));
        writePart("xl/theme/theme1.xml", themeXml());
        mZip.finish();
    });
    mClosed = true;
}

void WorkbookWriter::refuseUse() const
{
    if (!mLost.empty())
        throw FileError(mLost);
    throw XlsxError(messages::workbookClosed());
}

void WorkbookWriter::open(SheetWriter& sheet)
{
    writing([&] {
        if (mOpen) {
            const SheetWriter* active = mActive ? mActive : mSheets.front().get();
            mOpen->complete(mOpen == active);
        }
        mOpen = nullptr;
        sheet.open(mZip.end());
        mOpen = &sheet;
    });
}

int WorkbookWriter::styleOfFormat(Format format)
{
    const auto index = static_cast<std::size_t>(format.mId - 1);
    if (format.mId < 0 || index >= mFormatCodes.size())
        throw XlsxError(messages::formatUnknown());
    int& style = mStyleOfFormat[index];
    if (style == 0) {
        mStyleCodes.push_back(mFormatCodes[index]);
        style = static_cast<int>(mStyleCodes.size());
    }
    return style;
}

void WorkbookWriter::writing(const std::function<void()>& step)
{
    try {
        step();
    } catch (const FileError& error) {
        mLost = error.what();
        throw;
    } catch (const std::exception& error) {
        mLost = messages::workbookLost(error.what());
        throw FileError(mLost);
    }
}

void WorkbookWriter::writePart(const std::string& name, std::string_view xml)
{
    ByteBuffer deflated;
    mDeflater.deflateAll(xml, Ending::Final, deflated);
    ZipEntry entry;
    entry.name = name;
    entry.size = xml.size();
    entry.crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(xml.data()), static_cast<uInt>(xml.size())));
    mZip.write(entry, deflated.view());
}

}  // namespace xlsx
