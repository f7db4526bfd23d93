// zv_curvegen: writes the generated curve data of the repository.
//   zv_curvegen tables <path>   the 27 stored tables of the curve library
//                               (committed as dsp/units/curves/StoredCurveTables.inc)
//   zv_curvegen golden <path>   the digest of all 85 library slots that the tests of both builds
//                               compare with (committed as tests/dsp_units_curves/CurveLibraryGolden.txt)
// Both outputs are deterministic; tests regenerate them and compare with the committed bytes.
#include "dsp/units/curves/DistortionDataProvider.h"
#include "tools/curvegen/CurveLibraryDigest.h"
#include "tools/curvegen/StoredTableDesigner.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace
{
bool WriteText(const char* path, const std::string& text)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}
}

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: zv_curvegen tables|golden <output path>\n");
        return 2;
    }
    const std::string_view what = argv[1];
    std::string text;
    if (what == "tables")
    {
        text = StoredTableDesigner::FormatTables();
    }
    else if (what == "golden")
    {
        const Wezmark::DistortionDataProvider library;
        text = CurveLibraryDigest::Format(CurveLibraryDigest::Compute(library));
    }
    else
    {
        std::fprintf(stderr, "unknown output '%s'\n", argv[1]);
        return 2;
    }
    if (!WriteText(argv[2], text))
    {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
