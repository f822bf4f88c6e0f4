#pragma once

#include <memory>

#include "installer/ProductInstaller.h"

// The installer variant for the running Windows: x64 on 64-bit Windows, x86 otherwise.
// Constructing it extracts its package.
std::shared_ptr<CProductInstaller> CreateProductInstaller();
