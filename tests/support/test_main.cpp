#include <gtest/gtest.h>

#include "test_options.h"

int main(int argc, char** argv) {
  test_options::parse(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
