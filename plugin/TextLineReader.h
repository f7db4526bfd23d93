#pragma once

#include <istream>
#include <string_view>
#include <vector>

// Reads program text files line by line. A line longer than one piece arrives in pieces, each
// handled as a line of its own, so no line costs more memory than a piece. The line end, LF or
// CR LF (a file edited on Windows and read in binary), is not part of the line.
class TextLineReader
{
public:
    static constexpr std::streamsize kPieceSize = 262144;

    explicit TextLineReader(std::istream& in);

    // The next line, valid until the next call; false at the end of the input.
    bool Next(std::string_view& line);

private:
    std::istream& mIn;
    std::vector<char> mPiece;
};
