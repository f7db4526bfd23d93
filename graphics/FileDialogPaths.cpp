#include "graphics/FileDialogPaths.h"

#include "framework/BoundedCopy.h"

#include <cstring>

namespace
{
bool Fits(size_t length)
{
    return length < FileDialogPaths::kBufferSize;
}

// A folder that does not fit is dropped rather than cut into another folder's name.
void CopyWhole(char* destination, const char* text, size_t length)
{
    if (!Fits(length))
        return;
    std::memcpy(destination, text, length);
    destination[length] = '\0';
}
}

FileDialogPaths::FileDialogPaths(const char* path, const char* folder)
{
    path = path ? path : "";
    folder = folder ? folder : "";
    const size_t pathLength = std::strlen(path);
    if (Fits(pathLength))
    {
        BoundedCopy(mFile, path, kBufferSize);
        CopyWhole(mFolder, folder, std::strlen(folder));
        return;
    }
    const size_t folderLength = FolderLength(path);
    const char* name = path + folderLength;
    CopyWhole(mFile, name, pathLength - folderLength);
    if (folderLength > 0 && Fits(folderLength))
        CopyWhole(mFolder, path, folderLength);
    else
        CopyWhole(mFolder, folder, std::strlen(folder));
}

size_t FileDialogPaths::FolderLength(const char* path)
{
    size_t length = 0;
    for (size_t i = 0; path && path[i] != '\0'; ++i)
    {
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
            length = i + 1;
    }
    return length;
}
