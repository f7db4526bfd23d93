#pragma once

#include "framework/ArgbColour.h"

inline constexpr ArgbColour kColourBlack{255, 0, 0, 0};
inline constexpr ArgbColour kColourWhite{255, 255, 255, 255};

// Sections of a program text file.
inline constexpr char kProgramSection[] = "[Zarvotone_Program]";
inline constexpr char kConfigSection[] = "[Zarvotone_Config]";

// Parameter groups, one per editor section.
inline constexpr char kGroupInput[] = "Input";
inline constexpr char kGroupDistoBandFilter[] = "Disto-Band Filter";
inline constexpr char kGroupDistortion[] = "Distortion/Dynamic Shaper";
inline constexpr char kGroupDistoBandEq[] = "4-Band Disto-Band EQ";
inline constexpr char kGroupSubBandEq[] = "4-Band Sub-Band EQ";
inline constexpr char kGroupSubBandProcessor[] = "Sub-Band Processor";
inline constexpr char kGroupOutput[] = "Output";

// Keys of the editor settings.
inline constexpr char kKeyLastProgramFile[] = "Config.LastSelectedProgramFile";
inline constexpr char kKeyLastCurveFile[] = "Config.LastSelectedDistoCurveFile";
inline constexpr char kKeyVisibleTab[] = "UiConfig.VisibleTab";
inline constexpr char kKeyScopeDrawMode[] = "UiConfig.ScopeDrawMode";
inline constexpr char kKeyScopeDrawInput[] = "UiConfig.ScopeDrawInput";
inline constexpr char kKeyScopeDrawOutput[] = "UiConfig.ScopeDrawOutput";
inline constexpr char kKeyScopeZoom[] = "UiConfig.ScopeZoom";
inline constexpr char kKeyCurveData[] = "DistortionCurveData";

// Separators of program text files.
inline constexpr char kKeyValueSeparator[] = " = ";
inline constexpr char kLineTerminator[] = ";";

inline constexpr char kWhitespace[] = " \n\r\t";

// Curve file extensions.
inline constexpr char kWavExtension[] = ".wav";
inline constexpr char kSourceArrayExtension[] = ".h";
