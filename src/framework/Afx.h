#pragma once

#include "platform/Module.h"
#include "platform/ProcessEntry.h"

// The small application framework the setup program stands on: the part of MFC it uses.

class CObject {
 public:
  virtual ~CObject() = default;
};

class CCmdTarget : public CObject {};

class CWinThread : public CCmdTarget {
 public:
  // Start-up hook; false ends the process without a message loop.
  virtual bool InitInstance() { return false; }
  // The message loop's exit value; no loop ever runs here, so it is 0.
  virtual int ExitInstance() { return 0; }
};

class CWinApp : public CWinThread {
 public:
  // Registers the one application object; made during static initialisation.
  CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  ~CWinApp() override;

  // Frees the current name and stores a heap copy of name, which the module state's current
  // application name then points at. Message-box captions use it.
  void SetApplicationName(const char* name);

  // Heap text owned by the application object.
  char* m_pszAppName;
};

class CWinAppEx : public CWinApp {};

struct AFX_MODULE_STATE {
  const char* m_lpszCurrentAppName;
  platform::ModuleHandle m_hCurrentResourceHandle;
};

AFX_MODULE_STATE* AfxGetModuleState();
CWinApp* AfxGetApp();
// The module whose resources are read: the executable.
platform::ModuleHandle AfxGetResourceHandle();

// OLE/COM for the main thread, ended again when the process entry returns.
bool AfxOleInit();

// A modal box captioned with the application name; returns the button pressed.
int AfxMessageBox(const char* text, unsigned type, unsigned helpContext);

// AfxWinMain (platform/ProcessEntry.h) runs the application object's start-up hook, then its
// exit hook, and returns the exit hook's result.
