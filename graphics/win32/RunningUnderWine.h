#pragma once

// True when the process runs under Wine (its registry key exists). Asked once per process;
// Wine's own text engine is then not trusted to draw strings.
bool RunningUnderWine();
