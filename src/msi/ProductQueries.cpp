#include "msi/ProductQueries.h"

#include "msi/SizedText.h"
#include "platform/MsiService.h"

namespace {
constexpr std::uint32_t kInitialChars = 260;
}  // namespace

std::string QueryProductInfo(const std::string& productCode, const std::string& attribute) {
  if (productCode.empty()) return std::string();
  // 234 (ERROR_MORE_DATA) reports the length needed without the terminator.
  const auto answer =
      msi::AskGrowing(kInitialChars, msi::kMoreData, [&](char* buffer, std::uint32_t* length) {
        return msi::Service().GetProductInfo(productCode.c_str(), attribute.c_str(), buffer,
                                             length);
      });
  return answer.result == msi::kSuccess ? answer.text : std::string();
}

std::string QueryComponentPath(const std::string& productCode, const std::string& componentCode) {
  if (productCode.empty()) return std::string();
  // -3 (INSTALLSTATE_MOREDATA) reports the length needed without the terminator; every other
  // state leaves the path, or nothing, in the buffer.
  return msi::AskGrowing(kInitialChars, msi::kStateMoreData,
                         [&](char* buffer, std::uint32_t* length) {
                           return msi::Service().GetComponentPath(
                               productCode.c_str(), componentCode.c_str(), buffer, length);
                         })
      .text;
}
