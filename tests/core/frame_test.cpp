#include <gtest/gtest.h>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
TEST(Smoke, Builds) { vux_buffer b; vux_writer w(b); w.write_int32(1); EXPECT_EQ(b.length(), 4); }
