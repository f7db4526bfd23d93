#pragma once

// The name the about page shows for a host id; "Unknown" for ids without one (0, -1 and
// anything outside 1 to 30 included).
const char* GetHostDisplayName(int hostId);
