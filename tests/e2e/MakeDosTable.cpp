// Writes the unmarked DOS table the preview's pictures show: kunden.dbf in the folder given,
// its text in code page 850 and no code-page mark in its header, as FoxPro 2.x for DOS wrote
// such tables. Read as Windows-1252 its accented letters come out wrong; read as 850, right.
//
//   e2e_make_dos_table /tmp/dos
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "components/vfp/CodePage.h"
#include "components/vfpwriter/TableWriter.h"

namespace {

vfp::Value dosText(const std::string& utf8)
{
    return vfp::Value::fromBinary(vfp::encodeText(utf8, 850));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_make_dos_table FOLDER\n");
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        vfpwriter::WriteOptions unmarked;
        unmarked.codePageMark = 0;
        unmarked.version = 0x03;  // FoxBASE+ / dBase III: what DOS programs wrote
        vfpwriter::TableWriter writer(folder / "kunden.dbf",
                                      {{"KDNR", vfp::FieldType::Numeric, 6},
                                       {"NAME", vfp::FieldType::Character, 24},
                                       {"ORT", vfp::FieldType::Character, 16},
                                       {"UMSATZ", vfp::FieldType::Numeric, 10, 2}},
                                      unmarked);
        const std::vector<std::vector<std::string>> customers{
            {"1001", "Jürgen Größer", "München", "12500.00"},
            {"1002", "Françoise Lefèvre", "Besançon", "830.50"},
            {"1003", "Søren Ærø", "Århus", "2210.75"},
            {"1004", "Zoë Müller-Weiß", "Zürich", "99.90"},
            {"1005", "José Núñez", "A Coruña", "15000.00"},
        };
        for (const auto& customer : customers)
            writer.append({vfp::Value::fromDecimal(customer[0]), dosText(customer[1]),
                           dosText(customer[2]), vfp::Value::fromDecimal(customer[3])});
        writer.close();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "e2e_make_dos_table: %s\n", error.what());
        return 1;
    }
    return 0;
}
