// Test entry: COM for the main thread, as start-up gives the program, and on the host a
// drive root of its own for every run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/Com.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/HostDrive.h"
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
#if !defined(_WIN32)
  char root[] = "/tmp/qv-host-drive-XXXXXX";
  if (mkdtemp(root) == nullptr) return 2;
  platform::host::ScopedDriveRoot drive(root);
  // Drive C: exists on every Windows machine.
  if (mkdir((std::string(root) + "/c").c_str(), 0755) != 0) return 2;
#endif
  platform::InitializeOle();
  const int result = RUN_ALL_TESTS();
  platform::UninitializeOle();
#if !defined(_WIN32)
  const std::string command = std::string("rm -rf '") + root + "'";
  if (std::system(command.c_str()) != 0) return 3;
#endif
  return result;
}
