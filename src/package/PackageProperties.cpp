// The package descriptor's property reads: each makes its own reader and opens the database
// anew, so no state survives from one read to the next.
#include "msi/MsiSql.h"
#include "package/PackageDesc.h"

namespace {
std::string ReadProperty(const QvFsPath& path, const char* name) {
  CMsiSql reader;
  return reader.GetProperty(path, name);
}
}  // namespace

std::string CMsiPackageDesc::GetProductCode() const { return ReadProperty(m_path, "ProductCode"); }

std::string CMsiPackageDesc::GetUpgradeCode() const { return ReadProperty(m_path, "UpgradeCode"); }

CVersionNumber CMsiPackageDesc::GetProductVersion() const {
  return CVersionNumber(ReadProperty(m_path, "ProductVersion"), VersionSeparators);
}
