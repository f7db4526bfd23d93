#pragma once

#include "plugin/ProgramKey.h"
#include "plugin/ProgramParameters.h"

#include <string>
#include <string_view>
#include <vector>

namespace Wezmark
{
class Distortion;

// One complete setting of the effect as the factory bank and program files hold it: a name,
// the normalised values of the working parameters, and the file keys of all parameters.
class ZarvotoneProgram
{
public:
    static constexpr char kInitialName[] = "Basic Distortion";

    ZarvotoneProgram();
    ZarvotoneProgram(const ZarvotoneProgram& other) = default;
    ZarvotoneProgram& operator=(const ZarvotoneProgram& other) = default;
    virtual ~ZarvotoneProgram() = default;

    // The default of every working parameter; names, keys and indexes of the named records stay.
    static void ResetToDefaults(ProgramParameters& values);

    // 0 for an index outside 0 to 64.
    double GetValue(int index) const;
    // Clamps into 0..1; other indexes and NaN values change nothing.
    void SetValue(int index, double value);

    ProgramParameters& Values() { return mValues; }
    const ProgramParameters& Values() const { return mValues; }
    const std::string& Name() const { return mName; }
    void SetName(const std::string& name) { mName = name; }
    // All 85 parameters, in the order the table is stored (not index order).
    const std::vector<ProgramKey>& Keys() const { return mKeys; }
    // The file key of a parameter; empty for an index outside 0 to 84.
    std::string_view KeyOfIndex(int index) const;
    // The parameter of a file key, by exact comparison; kTotalParamCount for an unknown key.
    int IndexOfKey(std::string_view key) const;

    // Reads a program text file's program section into this program; false when the path is
    // empty or the file cannot be opened.
    bool LoadFromFile(const std::string& path, std::string& curveText);

    // What a state block holds after its markers: the built-in curve of the program's
    // distortion type as a curve holds it (finite, within -1..1; zeros when the library has
    // none), then the values of all 85 parameters.
    std::vector<double> ToPresetValues(const Distortion& distortion) const;

private:
    void BuildKeyTable();

    ProgramParameters mValues;
    std::string mName;
    std::vector<ProgramKey> mKeys;
};
}
