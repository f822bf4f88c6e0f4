#include "package/FileHandle.h"

#include <utility>

QvFileHandle::QvFileHandle(QvFileHandle&& other) noexcept
    : m_handle(std::exchange(other.m_handle, platform::InvalidFileHandle())) {}

QvFileHandle& QvFileHandle::operator=(QvFileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    m_handle = std::exchange(other.m_handle, platform::InvalidFileHandle());
  }
  return *this;
}

QvFileHandle::~QvFileHandle() { Close(); }

void QvFileHandle::Close() {
  if (IsValid()) platform::CloseFile(m_handle);
  m_handle = platform::InvalidFileHandle();
}
