#include "platform/FileSystem.h"

namespace platform {

std::string PrivateFolderSddl(const std::string& userSid) {
  // P: protected, nothing inherited from the parent. OICI: files and folders made inside
  // inherit the entry. FA: full control. SY: SYSTEM, BA: Administrators.
  return "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;" + userSid + ")";
}

}  // namespace platform
