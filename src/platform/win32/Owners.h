#pragma once

#include <utility>

#include "platform/win32/WindowsApi.h"

namespace platform::win32 {

// Owner of one system handle; the invalid value is part of the traits. Copy is deleted; a
// move leaves the source holding the invalid value. Closing keeps GetLastError() intact, so
// a caller can read the error of the call that failed after the owner went away.
template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;
  UniqueHandle() = default;
  explicit UniqueHandle(Type value) : m_value(value) {}
  UniqueHandle(UniqueHandle&& other) noexcept : m_value(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Type Get() const { return m_value; }
  bool IsValid() const { return m_value != Traits::Invalid(); }
  Type Release() { return std::exchange(m_value, Traits::Invalid()); }
  void Reset(Type value = Traits::Invalid()) {
    if (IsValid()) {
      const DWORD lastError = GetLastError();
      Traits::Close(m_value);
      SetLastError(lastError);
    }
    m_value = value;
  }

 private:
  Type m_value = Traits::Invalid();
};

struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { FindClose(h); }
};
struct KernelHandleTraits {  // handles whose failure value is null, such as a token
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};
struct ModuleTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { FreeLibrary(h); }
};
struct LocalMemoryTraits {
  using Type = HLOCAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { LocalFree(h); }
};
struct BstrTraits {
  using Type = BSTR;
  static Type Invalid() { return nullptr; }
  static void Close(Type s) { SysFreeString(s); }
};

using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;
using UniqueBstr = UniqueHandle<BstrTraits>;

// Owner of one COM interface pointer.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(ComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }

  Interface* Get() const { return m_pointer; }
  Interface* operator->() const { return m_pointer; }
  // For out-parameters: releases what is held first.
  Interface** Receive() {
    Reset();
    return &m_pointer;
  }
  void Reset() {
    if (m_pointer) std::exchange(m_pointer, nullptr)->Release();
  }

 private:
  Interface* m_pointer = nullptr;
};

// Owner of one VARIANT, cleared (and whatever it holds released) on destruction.
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&m_value); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&m_value); }

  VARIANT* Get() { return &m_value; }
  const VARIANT& Value() const { return m_value; }

 private:
  VARIANT m_value;
};

}  // namespace platform::win32
