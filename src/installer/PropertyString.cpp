#include "installer/PropertyString.h"

#include "base/NarrowString.h"

std::string ComposeBaseProperties(bool sameProductInstalled, const QvTokenList& features) {
  // QVSTSDATA is always passed empty.
  const char* const kNoStatusData = "";
  if (features.Empty()) {
    if (sameProductInstalled) return "ACTION=INSTALL REINSTALL=ALL REINSTALLMODE=vomus";
    return FormatString("ACTION=INSTALL QVSTSDATA=\"%s\"", kNoStatusData);
  }
  const std::string joined = features.Join();
  if (sameProductInstalled) {
    return FormatString("ACTION=INSTALL REINSTALL=%s REINSTALLMODE=vomus", joined.c_str());
  }
  return FormatString("ACTION=INSTALL ADDLOCAL=%s QVSTSDATA=\"%s\"", joined.c_str(), kNoStatusData);
}

std::string OldInstallationPathSuffix(const std::string& folder) {
  std::string escaped;
  escaped.reserve(folder.size());
  for (char c : folder) {
    escaped += c;
    if (c == '"') escaped += '"';
  }
  return FormatString(" OLDINSTALLATIONPATH=\"%s\"", escaped.c_str());
}
