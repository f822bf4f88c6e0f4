#pragma once

#include "package/FileHandle.h"

// Owner of one file handle opened for writing; closes it on destruction.
class QvFileWrite : public QvFileHandle {
 public:
  using QvFileHandle::QvFileHandle;
};
