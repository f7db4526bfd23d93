#include "framework/TextTrim.h"

#include "framework/SharedConstants.h"

std::string TrimLeft(const std::string& text)
{
    const size_t first = text.find_first_not_of(kWhitespace);
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string TrimRight(const std::string& text)
{
    const size_t last = text.find_last_not_of(kWhitespace);
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}
