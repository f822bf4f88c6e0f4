#pragma once

#include "platform/FileSystem.h"

// Owner of one kernel file or folder handle; closes it on destruction. Copy is deleted; a
// move leaves the source holding no handle.
class QvFileHandle {
 public:
  QvFileHandle() = default;
  // Takes ownership of handle, which may be null or the invalid handle value.
  explicit QvFileHandle(platform::FileHandle handle) : m_handle(handle) {}
  QvFileHandle(QvFileHandle&& other) noexcept;
  QvFileHandle& operator=(QvFileHandle&& other) noexcept;
  QvFileHandle(const QvFileHandle&) = delete;
  QvFileHandle& operator=(const QvFileHandle&) = delete;
  virtual ~QvFileHandle();

  bool IsValid() const { return m_handle != nullptr && m_handle != platform::InvalidFileHandle(); }
  // The caller must not close it, and must not use it after this owner is closed or destroyed.
  platform::FileHandle Handle() const { return m_handle; }
  // Closes the handle now; the owner then holds none.
  void Close();

 private:
  platform::FileHandle m_handle = platform::InvalidFileHandle();
};
