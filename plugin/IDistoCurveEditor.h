#pragma once

#include <string>

namespace Wezmark
{

// The curve editors, the restore button and the curve menu change the transfer curve that
// the three distortion chains share through this. While processing runs, work that would
// change a curve the audio thread is reading waits for the next block.
class IDistoCurveEditor
{
public:
    // One of the twenty curve actions; other values do nothing.
    virtual void ApplyCurveAction(int action) = 0;
    virtual std::string GetCurveFilePath() = 0;
    // Each acts only on a path that holds its extension somewhere, and then remembers the
    // path as the last curve file whether the file could be used or not.
    virtual void ImportCurveCsv(const std::string& path) = 0;
    virtual void ImportCurveWav(const std::string& path) = 0;
    virtual void ExportCurveCsv(const std::string& path) = 0;
    virtual void ExportCurveWav(const std::string& path) = 0;
    virtual void ExportCurveSource(const std::string& path) = 0;
    // The draw area's columns become the curve of every chain.
    virtual void CommitDrawnCurve() = 0;
    // Before the draw area hands a stroke to the audio thread: room for the curves it writes.
    virtual void PrepareCurveDrawing() = 0;
    virtual bool IsProcessingActive() = 0;
    virtual ~IDistoCurveEditor() = default;
};

} // namespace Wezmark
