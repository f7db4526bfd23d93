#pragma once

#include "plugin/ProgramKey.h"
#include "plugin/ProgramParameters.h"

#include <string>
#include <vector>

namespace Wezmark
{
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

private:
    void BuildKeyTable();

    ProgramParameters mValues;
    std::string mName;
    std::vector<ProgramKey> mKeys;
};
}
