#pragma once

// The application's side of the process entry: the platform's entry (WinMain) calls it once
// static initialisation is done, and its result is the process exit code. The application
// framework above the platform defines it.
int AfxWinMain();
