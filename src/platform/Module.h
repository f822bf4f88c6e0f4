#pragma once

namespace platform {

// A loaded module (HMODULE on Windows); null when none.
using ModuleHandle = void*;

// Loads a DLL from the system folder only, never from the executable's folder or the
// current directory, so that a file planted beside the setup program cannot be loaded.
ModuleHandle LoadSystemLibrary(const char* name);
void FreeLibraryModule(ModuleHandle module);

// The module whose resources the program reads: the executable itself.
ModuleHandle CurrentProcessModule();

// Takes the application folder and the current directory out of the DLL search path for
// every later load, where the system supports it. Called first thing at start-up.
void RestrictLibrarySearchToSystem();

}  // namespace platform
