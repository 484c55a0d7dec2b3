#include "harness.h"

int main(int argc, char** argv) {
  return guitest::RunMain(argc, argv);
}
