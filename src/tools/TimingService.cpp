#include "tools/TimingService.h"

namespace {
// Times the automation object's reads; each is one package property read.
class TimingInstallerObject : public msi::IInstallerObject {
 public:
  TimingInstallerObject(std::unique_ptr<msi::IInstallerObject> object, TimingService& timing)
      : m_object(std::move(object)), m_timing(timing) {}

  bool FetchFirstString(const std::string& path, const std::string& sql,
                        std::string* value) override {
    // "... WHERE Property='Name'": the name is the label.
    const std::size_t open = sql.find('\'');
    const std::string name = open == std::string::npos ? sql : sql.substr(open + 1, sql.size() - open - 2);
    const auto start = TimingService::Clock::now();
    const bool found = m_object->FetchFirstString(path, sql, value);
    m_timing.Record("read " + name + " (open, query, fetch)", start);
    return found;
  }

 private:
  std::unique_ptr<msi::IInstallerObject> m_object;
  TimingService& m_timing;
};
}  // namespace

void TimingService::Record(const std::string& name, Clock::time_point start) {
  m_calls[name].push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
}

template <typename Call>
auto TimingService::Timed(const char* name, Call call) {
  const auto start = Clock::now();
  const auto result = call();
  Record(name, start);
  return result;
}

std::uint32_t TimingService::EnumProducts(std::uint32_t index, char* buffer) {
  return Timed("MsiEnumProductsA", [&] { return m_system.EnumProducts(index, buffer); });
}

std::uint32_t TimingService::EnumRelatedProducts(const char* upgradeCode, std::uint32_t reserved,
                                                 std::uint32_t index, char* buffer) {
  return Timed("MsiEnumRelatedProductsA",
               [&] { return m_system.EnumRelatedProducts(upgradeCode, reserved, index, buffer); });
}

std::uint32_t TimingService::GetProductInfo(const char* product, const char* attribute,
                                            char* buffer, std::uint32_t* length) {
  return Timed("MsiGetProductInfoA",
               [&] { return m_system.GetProductInfo(product, attribute, buffer, length); });
}

std::int32_t TimingService::GetComponentPath(const char* product, const char* component,
                                             char* buffer, std::uint32_t* length) {
  return Timed("MsiGetComponentPathA",
               [&] { return m_system.GetComponentPath(product, component, buffer, length); });
}

std::int32_t TimingService::LocateComponent(const char* component, char* buffer,
                                            std::uint32_t* length) {
  return Timed("MsiLocateComponentA",
               [&] { return m_system.LocateComponent(component, buffer, length); });
}

int TimingService::SetInternalUI(int level, void** ownerWindow) {
  return Timed("MsiSetInternalUI", [&] { return m_system.SetInternalUI(level, ownerWindow); });
}

std::uint32_t TimingService::EnableLog(std::uint32_t mode, const char* path,
                                       std::uint32_t attributes) {
  return m_system.EnableLog(mode, path, attributes);
}

std::uint32_t TimingService::InstallProduct(const char*, const char*) {
  m_installCalledAt = Clock::now();
  return 1602;  // ERROR_INSTALL_USEREXIT
}

std::uint32_t TimingService::CheckBindings(std::string* missing) {
  return m_system.CheckBindings(missing);
}

std::int32_t TimingService::CreateInstallerObject(std::unique_ptr<msi::IInstallerObject>* object) {
  std::unique_ptr<msi::IInstallerObject> created;
  const std::int32_t result = Timed("create the automation object",
                                    [&] { return m_system.CreateInstallerObject(&created); });
  if (created) *object = std::make_unique<TimingInstallerObject>(std::move(created), *this);
  return result;
}
