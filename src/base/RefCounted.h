#pragma once

#include <atomic>
#include <cstdint>

// Counting policy whose changes are atomic, so objects may be shared between threads.
struct FreeThreadedModel {
  using Count = std::atomic<std::int32_t>;
  // Both return the value the change left behind.
  static std::int32_t Increment(Count& count) { return count.fetch_add(1) + 1; }
  static std::int32_t Decrement(Count& count) { return count.fetch_sub(1) - 1; }
};

// Intrusive reference count. An object starts at 0; the holder that takes the count back to 0
// destroys it through the virtual destructor.
template <typename ThreadModel>
class CRefCountedT {
 public:
  CRefCountedT() : m_count(0) {}
  CRefCountedT(const CRefCountedT&) = delete;
  CRefCountedT& operator=(const CRefCountedT&) = delete;
  virtual ~CRefCountedT() = default;

  void AddRef() { ThreadModel::Increment(m_count); }
  void Release() {
    if (ThreadModel::Decrement(m_count) == 0) delete this;
  }
  // For diagnostics and tests only; another thread may change it at any time.
  std::int32_t GetRefCount() const { return m_count.load(); }

 private:
  typename ThreadModel::Count m_count;
};

// Holder of one counted reference; may be empty.
template <typename T>
class CRefCountPtr {
 public:
  CRefCountPtr() = default;
  CRefCountPtr(T* object) : m_object(object) {  // NOLINT: implicit, as the holders are values
    if (m_object) m_object->AddRef();
  }
  CRefCountPtr(const CRefCountPtr& other) : CRefCountPtr(other.m_object) {}
  virtual ~CRefCountPtr() {
    if (m_object) m_object->Release();
  }

  // AddRef before Release, so that assigning a holder to itself never destroys the object.
  CRefCountPtr& operator=(const CRefCountPtr& other) {
    T* incoming = other.m_object;
    if (incoming) incoming->AddRef();
    if (m_object) m_object->Release();
    m_object = incoming;
    return *this;
  }

  T* operator->() const { return m_object; }
  T& operator*() const { return *m_object; }
  T* Get() const { return m_object; }
  bool IsNull() const { return m_object == nullptr; }
  explicit operator bool() const { return m_object != nullptr; }

 private:
  T* m_object = nullptr;
};
