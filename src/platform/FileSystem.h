#pragma once

#include <cstddef>
#include <string>

namespace platform {

// A kernel file handle (HANDLE on Windows). Null and InvalidFileHandle() are both "no file".
using FileHandle = void*;
FileHandle InvalidFileHandle();

// Starts a search for pattern and closes it again: true when it found an entry.
bool FindFirstEntry(const std::string& pattern);
// Creates one folder, no security attributes. Only success or failure is reported.
bool MakeDirectory(const std::string& path);
// Result deliberately not reported: callers never look at it.
void RemoveFile(const std::string& path);
// Write access only, others may read, always created anew, normal attributes.
FileHandle OpenFileForWrite(const std::string& path);
// One write of all bytes; the outcome is not reported.
void WriteBytes(FileHandle file, const void* data, std::size_t size);
void CloseFile(FileHandle file);

}  // namespace platform
