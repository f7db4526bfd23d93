#include "graphics/TextStyle.h"

#include "framework/BoundedCopy.h"

#include <cstring>

void TextStyle::SetFace(const char* name)
{
    BoundedCopy(face, name, sizeof(face));
}

bool TextStyle::SameFont(const TextStyle& other) const
{
    return size == other.size && orientation == other.orientation && style == other.style &&
           quality == other.quality && std::strncmp(face, other.face, sizeof(face)) == 0;
}
