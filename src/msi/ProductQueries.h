#pragma once

#include <string>

// A product attribute ("ProductName", "InstallLocation", ...) from Windows Installer; empty
// when the product code is empty or the service gives no value.
std::string QueryProductInfo(const std::string& productCode, const std::string& attribute);

// The path of a product's component; empty when the product code is empty or there is none.
std::string QueryComponentPath(const std::string& productCode, const std::string& componentCode);
