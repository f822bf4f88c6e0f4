#pragma once

#include "framework/Afx.h"

// The application object: everything happens in start-up, which always returns false.
class QvHalcyonSetupBootApp : public CWinAppEx {
 public:
  static constexpr const char* kApplicationName = "Quenvar Halcyon";

  bool InitInstance() override;
};
