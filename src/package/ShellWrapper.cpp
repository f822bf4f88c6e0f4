#include "package/ShellWrapper.h"

QvShellWrapper::QvShellWrapper() : m_module(platform::LoadSystemLibrary("SHFolder.dll")) {}

QvShellWrapper::~QvShellWrapper() {
  if (m_module) platform::FreeLibraryModule(m_module);
  m_module = nullptr;
}
