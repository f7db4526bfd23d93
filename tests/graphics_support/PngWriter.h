#pragma once

#include <string>

class PIX_IBitmap;

// Writes a bitmap as an 8-bit RGBA PNG file (fixtures, and pictures of drawn editors to look
// at); false when the file cannot be written.
bool WritePng(const std::string& path, PIX_IBitmap& bitmap);
