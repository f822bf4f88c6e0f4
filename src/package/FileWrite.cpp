#include "package/FileWrite.h"

QvFileWrite::~QvFileWrite() {
  if (IsValid()) platform::CloseFile(m_handle);
  m_handle = platform::InvalidFileHandle();
}
