// Lists what Windows Installer reports as installed, one product a line:
//   product code <TAB> name <TAB> version <TAB> folder
// The folder is InstallLocation, or the path of the component named after the product.
// A developer's and the test bed's tool; not part of the product.
#include <cstdio>
#include <string>

#include "msi/ProductQueries.h"
#include "platform/MsiService.h"

int main() {
  char code[64] = {};
  for (std::uint32_t index = 0; msi::SystemService().EnumProducts(index, code) == msi::kSuccess;
       ++index) {
    std::string folder = QueryProductInfo(code, "InstallLocation");
    if (folder.empty()) folder = QueryComponentPath(code, code);
    std::printf("%s\t%s\t%s\t%s\n", code, QueryProductInfo(code, "ProductName").c_str(),
                QueryProductInfo(code, "VersionString").c_str(), folder.c_str());
  }
  return 0;
}
