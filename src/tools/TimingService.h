#pragma once
// A Windows Installer service that forwards every call to the system's own and records how
// long each took, by name. The install call is not forwarded: it is recorded as the moment
// the pre-install work ended and answered 1602 (the user cancelled), so nothing is installed.
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/MsiService.h"

class TimingService : public msi::IService {
 public:
  using Clock = std::chrono::steady_clock;
  // Microseconds of every call of each name, in call order.
  using Timings = std::map<std::string, std::vector<double>>;

  TimingService() : m_system(msi::SystemService()) {}

  Timings& Calls() { return m_calls; }
  Clock::time_point InstallCalledAt() const { return m_installCalledAt; }
  void Record(const std::string& name, Clock::time_point start);

  std::uint32_t EnumProducts(std::uint32_t index, char* buffer) override;
  std::uint32_t EnumRelatedProducts(const char* upgradeCode, std::uint32_t reserved,
                                    std::uint32_t index, char* buffer) override;
  std::uint32_t GetProductInfo(const char* product, const char* attribute, char* buffer,
                               std::uint32_t* length) override;
  std::int32_t GetComponentPath(const char* product, const char* component, char* buffer,
                                std::uint32_t* length) override;
  std::int32_t LocateComponent(const char* component, char* buffer, std::uint32_t* length) override;
  int SetInternalUI(int level, void** ownerWindow) override;
  std::uint32_t EnableLog(std::uint32_t mode, const char* path, std::uint32_t attributes) override;
  std::uint32_t InstallProduct(const char* packagePath, const char* properties) override;
  std::uint32_t CheckBindings(std::string* missing) override;
  std::int32_t CreateInstallerObject(std::unique_ptr<msi::IInstallerObject>* object) override;

 private:
  // Runs call, records its time under name, returns its result.
  template <typename Call>
  auto Timed(const char* name, Call call);

  msi::IService& m_system;
  Timings m_calls;
  Clock::time_point m_installCalledAt;
};
