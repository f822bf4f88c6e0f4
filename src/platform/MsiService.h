#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace msi {

constexpr std::uint32_t kSuccess = 0;
constexpr std::uint32_t kMoreData = 234;         // ERROR_MORE_DATA
constexpr std::uint32_t kNoMoreItems = 259;      // ERROR_NO_MORE_ITEMS
constexpr std::uint32_t kUnknownProduct = 1605;  // ERROR_UNKNOWN_PRODUCT
constexpr std::int32_t kStateMoreData = -3;      // INSTALLSTATE_MOREDATA
constexpr std::int32_t kStateUnknown = -1;       // INSTALLSTATE_UNKNOWN
constexpr int kUiLevelFull = 5;                  // INSTALLUILEVEL_FULL

// A COM failure inside the automation object, with its HRESULT.
struct ComError {
  std::int32_t result;
};

// The Windows Installer automation object's dispatch interface ("WindowsInstaller.Installer").
class IInstallerObject {
 public:
  virtual ~IInstallerObject() = default;
  // Opens the database at path read-only, runs sql with no parameter record and fetches one
  // record. Returns false when no row came back; otherwise *value is the text of field 1.
  // Any failing call, or a missing object where one is needed, raises ComError.
  virtual bool FetchFirstString(const std::string& path, const std::string& sql,
                                std::string* value) = 0;
};

// The Windows Installer operations the setup program calls, with the results it relies on.
// Buffers are narrow (ANSI code page); lengths count characters.
class IService {
 public:
  virtual ~IService() = default;

  // 0: buffer (64 chars) holds one product code; anything else ends the enumeration.
  virtual std::uint32_t EnumProducts(std::uint32_t index, char* buffer) = 0;
  // 0: buffer holds the code of a product of the upgrade family.
  virtual std::uint32_t EnumRelatedProducts(const char* upgradeCode, std::uint32_t reserved,
                                            std::uint32_t index, char* buffer) = 0;
  // 0: value in buffer; 234: too small, *length = characters needed without terminator.
  virtual std::uint32_t GetProductInfo(const char* product, const char* attribute, char* buffer,
                                       std::uint32_t* length) = 0;
  // -3: too small, *length as above; any other state: buffer holds the path (maybe empty).
  virtual std::int32_t GetComponentPath(const char* product, const char* component, char* buffer,
                                        std::uint32_t* length) = 0;
  // *length written back is the length of the path in buffer.
  virtual std::int32_t LocateComponent(const char* component, char* buffer,
                                       std::uint32_t* length) = 0;
  // ownerWindow: address of an HWND variable; the previous owner is stored there.
  virtual int SetInternalUI(int level, void** ownerWindow) = 0;
  virtual std::uint32_t EnableLog(std::uint32_t mode, const char* path,
                                  std::uint32_t attributes) = 0;
  // Blocks until Windows Installer has finished. 0: installed.
  virtual std::uint32_t InstallProduct(const char* packagePath, const char* properties) = 0;

  // 0 when every operation above is bound to msi.dll. Otherwise the system's code: of the
  // failed load, with *missing empty, or of the failed lookup, with *missing the entry's name.
  virtual std::uint32_t CheckBindings(std::string* missing) = 0;

  // Creates the automation object: CoCreateInstance for CLSCTX_ALL asking for IUnknown,
  // OleRun, then QueryInterface for IDispatch. Returns the HRESULT of the failing step, or 0
  // with *object set.
  virtual std::int32_t CreateInstallerObject(std::unique_ptr<IInstallerObject>* object) = 0;
};

// The service in force: the system's own, unless a ScopedServiceOverride is alive.
IService& Service();

class ScopedServiceOverride {
 public:
  explicit ScopedServiceOverride(IService& service);
  ~ScopedServiceOverride();
  ScopedServiceOverride(const ScopedServiceOverride&) = delete;
  ScopedServiceOverride& operator=(const ScopedServiceOverride&) = delete;

 private:
  IService* m_previous;
};

// The system's own service (msi.dll and the automation object on Windows).
IService& SystemService();

}  // namespace msi
