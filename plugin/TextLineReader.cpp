#include "plugin/TextLineReader.h"

TextLineReader::TextLineReader(std::istream& in) : mIn(in), mPiece(static_cast<size_t>(kPieceSize))
{
}

bool TextLineReader::Next(std::string_view& line)
{
    if (!mIn.good())
        return false;
    mIn.getline(mPiece.data(), kPieceSize);
    std::streamsize length = mIn.gcount();
    if (mIn.good())
    {
        // The line break was taken from the input but not stored.
        --length;
    }
    else if (mIn.eof())
    {
        // The last line, without a line break; nothing left at all ends the input.
        if (length == 0)
            return false;
    }
    else if (length == kPieceSize - 1 && !mIn.bad())
    {
        // A full piece: the rest of the line follows as the next one.
        mIn.clear();
    }
    else
    {
        return false;
    }
    line = std::string_view(mPiece.data(), static_cast<size_t>(length));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return true;
}
