#include "framework/BoundedCopy.h"

#include <cstring>

void BoundedCopy(char* destination, const char* text, size_t size)
{
    if (size == 0)
        return;
    size_t length = 0;
    if (text)
        while (length + 1 < size && text[length] != '\0')
            ++length;
    if (length > 0)
        std::memmove(destination, text, length);
    destination[length] = '\0';
}
