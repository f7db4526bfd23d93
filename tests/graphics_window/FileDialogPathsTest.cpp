#include "graphics/FileDialogPaths.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct PathsCase
{
    std::string path;
    std::string folder;
    std::string file;
    std::string startFolder;
};

TEST(FileDialogPaths, FillsBothBuffersWithoutOverflow)
{
    const std::string longFolder = "C:\\" + std::string(300, 'f') + "\\";
    const std::string deepFolder = "C:\\" + std::string(200, 'd') + "\\";
    const std::string longName = std::string(300, 'n') + ".wz";
    const PathsCase cases[] = {
        {"C:\\Music\\a.wz", "C:\\Music\\", "C:\\Music\\a.wz", "C:\\Music\\"},
        {"", "C:\\Users\\me\\Desktop\\", "", "C:\\Users\\me\\Desktop\\"},
        // A remembered path of 1024 bytes: start in its folder, suggest only its name.
        {deepFolder + std::string(1024 - deepFolder.size(), 'x'), "C:\\", "", deepFolder},
        {deepFolder + std::string(100, 'p') + ".wz", "C:\\", std::string(100, 'p') + ".wz", deepFolder},
        // Neither the path's folder nor its name fits: the given folder stays.
        {longFolder + longName, "C:\\Music\\", "", "C:\\Music\\"},
        // A folder argument that does not fit is dropped whole.
        {"a.wz", longFolder, "a.wz", ""},
        {std::string(300, 'q'), "D:\\", "", "D:\\"},
    };
    for (const PathsCase& c : cases)
    {
        FileDialogPaths paths(c.path.c_str(), c.folder.c_str());
        EXPECT_EQ(paths.File(), c.file) << c.path.size() << "-byte path";
        EXPECT_EQ(paths.Folder(), c.startFolder) << c.path.size() << "-byte path";
    }
}

TEST(FileDialogPaths, ALongestPathThatFitsIsKeptWhole)
{
    const std::string path = "C:\\" + std::string(FileDialogPaths::kBufferSize - 4, 'a');
    FileDialogPaths paths(path.c_str(), "");
    EXPECT_EQ(paths.File(), path);
}

TEST(FileDialogPaths, FolderLengthEndsAfterTheLastSeparator)
{
    const std::pair<const char*, size_t> cases[] = {
        {"C:\\Music\\a.wz", 9}, {"C:a.wz", 2}, {"/home/me/a.wz", 9}, {"a.wz", 0}, {"", 0}, {nullptr, 0},
        {"C:\\Music\\", 9},
    };
    for (const auto& [path, length] : cases)
        EXPECT_EQ(FileDialogPaths::FolderLength(path), length) << (path ? path : "null");
}
}
