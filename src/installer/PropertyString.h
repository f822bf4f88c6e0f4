#pragma once

#include <string>

#include "package/TokenList.h"

// The base of the Windows Installer property string: a reinstall when the package's product
// is already installed, else a fresh install; with features, only those.
std::string ComposeBaseProperties(bool sameProductInstalled, const QvTokenList& features);

// " OLDINSTALLATIONPATH=\"folder\"". A double quote inside the folder is written as two, the
// installer's own escape, so that a registered folder cannot end the value early and add
// properties of its own.
std::string OldInstallationPathSuffix(const std::string& folder);
