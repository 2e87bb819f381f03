// Build step: turns the sample data set (CSV files) into the Samples folder of FoxPro free
// tables beside the program. The folder is written anew and replaces the old one whole, so
// a failed run leaves no half-written tables behind.
//
//   quorvane-samplegen DATA_DIR SAMPLES_DIR
#include <filesystem>
#include <iostream>

#include "samples/SampleTable.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quorvane-samplegen DATA_DIR SAMPLES_DIR\n";
        return 2;
    }
    const std::filesystem::path dataDir = argv[1];
    const std::filesystem::path samplesDir = argv[2];
    std::filesystem::path staging = samplesDir;
    staging += ".new";
    try {
        const std::vector<samples::SampleTable> tables = samples::loadSampleData(dataDir);
        std::filesystem::remove_all(staging);
        samples::writeSampleTables(tables, staging);
        std::filesystem::remove_all(samplesDir);
        std::filesystem::rename(staging, samplesDir);
    } catch (const std::exception& e) {
        std::error_code ignored;
        std::filesystem::remove_all(staging, ignored);
        std::cerr << "quorvane-samplegen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
