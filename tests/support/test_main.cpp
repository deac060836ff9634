#include <gtest/gtest.h>

#include "support/temp_home.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  InstallTempHomeListener();
  return RUN_ALL_TESTS();
}
