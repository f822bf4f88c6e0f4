// A package file that reaches up into the installer: the layering check must name it.
#include "installer/ProductInstaller.h"
#include "package/PackageDesc.h"
#include <windows.h>
