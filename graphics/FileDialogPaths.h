#pragma once

#include <cstddef>

// The file-name and initial-folder buffers of a file dialog, filled with bounded copies: a
// remembered path longer than the buffer is not cut mid-name, the dialog then starts in that
// path's folder with only its file name suggested.
class FileDialogPaths
{
public:
    static constexpr size_t kBufferSize = 256;

    // path: the file to suggest; folder: where the dialog starts without one.
    FileDialogPaths(const char* path, const char* folder);

    // The dialog writes the chosen file's full path here.
    char* File() { return mFile; }
    const char* Folder() const { return mFolder; }

    // The length of the path's drive and folder part: up to and including the last "\", "/"
    // or drive colon; 0 when there is none.
    static size_t FolderLength(const char* path);

private:
    char mFile[kBufferSize] = {};
    char mFolder[kBufferSize] = {};
};
