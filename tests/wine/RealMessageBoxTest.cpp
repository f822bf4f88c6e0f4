// Real message boxes under Wine and Xvfb. answer-boxes.sh runs this and presses the keys,
// as a person would: Return on the "Error" box, then Yes, then No on the question.
// Each test reads the text of its box from the window itself.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/QvHalcyonSetupBootApp.h"
#include "base/QvException.h"
#include "installer/ProductInstallerBase.h"
#include "platform/win32/WindowsApi.h"

namespace {

// Watches for the box with this caption and keeps the text of its static control.
class BoxWatcher {
 public:
  explicit BoxWatcher(const char* caption)
      : m_thread([this, caption] {
          for (int i = 0; i < 600 && !m_stop; ++i) {
            if (HWND box = FindWindowA(nullptr, caption)) {
              EnumChildWindows(box, &BoxWatcher::Collect, reinterpret_cast<LPARAM>(this));
              if (!m_text.empty()) return;
            }
            Sleep(50);
          }
        }) {}
  ~BoxWatcher() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
  }
  std::string Text() {
    if (m_thread.joinable()) m_thread.join();
    return m_text;
  }

 private:
  static BOOL CALLBACK Collect(HWND child, LPARAM self) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (text[0] != '\0') reinterpret_cast<BoxWatcher*>(self)->m_text = text;
    return text[0] == '\0';
  }

  std::atomic<bool> m_stop{false};
  std::string m_text;
  std::thread m_thread;
};

TEST(RealMessageBox, ReportShowsTheErrorBox) {
  BoxWatcher watcher("Error");
  const int result = Error::QvExceptionText("ProductInstaller", "CProductInstaller::Proceed", 45,
                                            "Failed to find product to be installed.")
                         .Report();
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ("Failed to find product to be installed.", watcher.Text());
}

TEST(RealMessageBox, ConfirmUpgradeAnsweredYesThenNo) {
  QvHalcyonSetupBootApp app;
  app.SetApplicationName(QvHalcyonSetupBootApp::kApplicationName);
  CProductInstallerX64 installer;
  {
    BoxWatcher watcher("Quenvar Halcyon");
    EXPECT_TRUE(installer.ConfirmUpgrade());
    EXPECT_NE(std::string::npos, watcher.Text().find("older version of the program is installed"));
  }
  {
    BoxWatcher watcher("Quenvar Halcyon");
    EXPECT_FALSE(installer.ConfirmUpgrade());
    EXPECT_NE(std::string::npos, watcher.Text().find("Do you want to continue?"));
  }
}

}  // namespace
