#pragma once

#include <memory>

class FileSystem;

// The file layer of the system the program was built for; the build picks
// its source.
std::unique_ptr<FileSystem> makeNativeFileSystem();
