#pragma once

#include <cstdio>

// Opens a file named by a UTF-8 path for binary reading; null when it cannot.
std::FILE* OpenUtf8FileForReading(const char* path);
