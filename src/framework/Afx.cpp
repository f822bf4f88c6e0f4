#include "framework/Afx.h"

#include <cstdlib>
#include <cstring>

#include "platform/Com.h"
#include "platform/MessageBox.h"

namespace {
CWinApp* g_application = nullptr;
bool g_oleInitialized = false;

char* DuplicateText(const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(size));
  if (copy) std::memcpy(copy, text, size);
  return copy;
}

// The framework's own name for an application that sets none.
const char* const kDefaultAppName = "QvHalcyonSetup";
}  // namespace

AFX_MODULE_STATE* AfxGetModuleState() {
  static AFX_MODULE_STATE state{nullptr, nullptr};
  if (state.m_hCurrentResourceHandle == nullptr) {
    state.m_hCurrentResourceHandle = platform::CurrentProcessModule();
  }
  return &state;
}

CWinApp::CWinApp() : m_pszAppName(DuplicateText(kDefaultAppName)) {
  g_application = this;
  AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
}

CWinApp::~CWinApp() {
  AFX_MODULE_STATE* state = AfxGetModuleState();
  if (state->m_lpszCurrentAppName == m_pszAppName) state->m_lpszCurrentAppName = nullptr;
  std::free(m_pszAppName);
  if (g_application == this) g_application = nullptr;
}

void CWinApp::SetApplicationName(const char* name) {
  std::free(m_pszAppName);
  m_pszAppName = DuplicateText(name);
  AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
}

CWinApp* AfxGetApp() { return g_application; }

platform::ModuleHandle AfxGetResourceHandle() {
  return AfxGetModuleState()->m_hCurrentResourceHandle;
}

bool AfxOleInit() {
  const long result = platform::InitializeOle();
  // S_OK or S_FALSE: balanced by one OleUninitialize at the end of the process entry.
  if (result >= 0) g_oleInitialized = true;
  return result >= 0;
}

int AfxMessageBox(const char* text, unsigned type, unsigned /*helpContext*/) {
  const char* caption = AfxGetModuleState()->m_lpszCurrentAppName;
  return platform::ShowMessageBox(text, caption ? caption : "", type);
}

int AfxWinMain() {
  CWinApp* application = AfxGetApp();
  int exitCode = 0;
  if (application) {
    // Start-up returning true would run a message loop; this program never has one.
    application->InitInstance();
    exitCode = application->ExitInstance();
  }
  if (g_oleInitialized) {
    platform::UninitializeOle();
    g_oleInitialized = false;
  }
  return exitCode;
}
