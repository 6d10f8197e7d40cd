#include <gtest/gtest.h>
TEST(Vazio, Compila) {}
