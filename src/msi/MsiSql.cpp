#include "msi/MsiSql.h"

#include "base/NarrowString.h"
#include "base/QvException.h"

namespace {
// Where the two read errors are raised, as the error texts report them.
constexpr const char* kSource = "MsiSql";
constexpr std::int32_t kCreateLine = 7;
constexpr std::int32_t kReadLine = 37;
constexpr std::int32_t kNoObject = static_cast<std::int32_t>(0x80004003);  // E_POINTER
}  // namespace

CMsiSql::CMsiSql() {
  std::int32_t result = msi::Service().CreateInstallerObject(&m_installer);
  if (result >= 0 && !m_installer) result = kNoObject;
  if (result < 0) {
    m_installer.reset();
    throw Error::QvExceptionCommon(kSource, "CMsiSql::CMsiSql", kCreateLine,
                                   static_cast<std::uint32_t>(result),
                                   "Failed to create Windows installer object.");
  }
}

CMsiSql::~CMsiSql() = default;

std::string CMsiSql::GetProperty(std::string packagePath, std::string propertyName) {
  std::string value;
  try {
    // The name goes in verbatim: a quote in it makes the query malformed, and the service's
    // refusal is the read error below.
    const std::string query =
        FormatString("SELECT Value FROM Property WHERE Property='%s'", propertyName.c_str());
    if (!m_installer->FetchFirstString(packagePath, query, &value)) value.clear();
  } catch (const msi::ComError&) {
    throw Error::QvExceptionText(kSource, "", kReadLine,
                                 FormatString("Failed to read '%s' property from file '%s'",
                                              propertyName.c_str(), packagePath.c_str()));
  }
  return value;
}
