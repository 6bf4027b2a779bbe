#pragma once

#include <memory>

#ifdef _WIN32
#include "win32_file_system.h"
using NativeFileSystem = Win32FileSystem;
#else
#include "posix_file_system.h"
using NativeFileSystem = PosixFileSystem;
#endif

// The file layer of the system the program was built for; the build picks
// its source.
std::unique_ptr<FileSystem> makeNativeFileSystem();
