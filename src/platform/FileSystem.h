#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A kernel file handle (HANDLE on Windows). Null and InvalidFileHandle() are both "no file".
using FileHandle = void*;
FileHandle InvalidFileHandle();

// A Windows error code (GetLastError); 0 is success. The host maps errno onto these codes.
using ErrorCode = std::uint32_t;
constexpr ErrorCode kErrorFileExists = 80;      // ERROR_FILE_EXISTS
constexpr ErrorCode kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS

// Starts a search for pattern and closes it again: true when it found an entry.
bool FindFirstEntry(const std::string& pattern);
// Creates one folder, no security attributes.
ErrorCode MakeDirectory(const std::string& path);
// Creates one new folder (an existing one is kErrorAlreadyExists) with a protected DACL:
// full control for SYSTEM, Administrators and the user running the program, inherited by
// what is created inside, and nothing inherited from the parent.
ErrorCode MakePrivateDirectory(const std::string& path);
// The security descriptor MakePrivateDirectory gives, in SDDL, for the user whose SID is
// userSid (S-1-5-21-...).
std::string PrivateFolderSddl(const std::string& userSid);
// Removes an empty folder; result not reported.
void RemoveEmptyDirectory(const std::string& path);
// Result deliberately not reported: callers never look at it.
void RemoveFile(const std::string& path);

// Opens a folder so that, while the handle lives, nobody can delete or rename it (delete
// sharing denied; reading and writing inside stay possible). Sets *error on failure.
FileHandle OpenFolderDenyingDelete(const std::string& path, ErrorCode* error);
// Write access only, others may read, created new: an existing file is kErrorFileExists.
FileHandle CreateNewFileForWrite(const std::string& path, ErrorCode* error);
// Read access only; others may read too, but nobody may write, delete or rename the file
// while the handle lives.
FileHandle OpenFileForSharedRead(const std::string& path, ErrorCode* error);

// Writes until every byte is written or a write fails. *written counts the bytes written;
// a write that succeeds without progress ends the loop with the error 0 and a short count.
ErrorCode WriteAllBytes(FileHandle file, const void* data, std::size_t size, std::size_t* written);
// One read of at most size bytes; *read is 0 at the end of the file.
ErrorCode ReadBytes(FileHandle file, void* buffer, std::size_t size, std::size_t* read);
void CloseFile(FileHandle file);

}  // namespace platform
