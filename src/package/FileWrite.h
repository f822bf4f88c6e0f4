#pragma once

#include "platform/FileSystem.h"

// Owner of one file handle opened for writing; closes it on destruction.
class QvFileWrite {
 public:
  // Takes ownership of handle, which may be null or the invalid handle value.
  explicit QvFileWrite(platform::FileHandle handle) : m_handle(handle) {}
  QvFileWrite(const QvFileWrite&) = delete;
  QvFileWrite& operator=(const QvFileWrite&) = delete;
  virtual ~QvFileWrite();

  bool IsValid() const { return m_handle != nullptr && m_handle != platform::InvalidFileHandle(); }
  // The caller must not close it, and must not use it after this owner is destroyed.
  platform::FileHandle Handle() const { return m_handle; }

 private:
  platform::FileHandle m_handle;
};
