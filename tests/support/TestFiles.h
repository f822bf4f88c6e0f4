#pragma once

#include <string>
#include <vector>

// The bytes of the file at a Windows path; empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const std::string& windowsPath);
// Whether a file (not a folder) is at a Windows path.
bool FileExists(const std::string& windowsPath);
// Writes text to a new file at a Windows path.
void WriteTextFile(const std::string& windowsPath, const std::string& text);

// A new folder path, not yet created, under the test run's scratch folder on drive C:.
std::string NewScratchPath(const std::string& name);

// Names of the entries of a folder, "." and ".." left out.
std::vector<std::string> ListFolder(const std::string& windowsPath);
