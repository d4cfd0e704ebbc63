// Parameter files that never end: the loader stops with a read error
// instead of reading on for ever.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>

#include "parameter_file_reader.h"

namespace {

// A loader that does not end is killed by the alarm, failing the test.
class EndlessParameterFile : public ::testing::Test {
protected:
    void SetUp() override { alarm(120); }
    void TearDown() override { alarm(0); }
    std::unique_ptr<ParameterData> data = std::make_unique<ParameterData>();
};

TEST_F(EndlessParameterFile, ZeroBytesWithoutEndGiveAReadError) {
    EXPECT_EQ(read_parameter_file("/dev/zero", *data).status, ParameterFileStatus::READ_ERROR);
}

TEST_F(EndlessParameterFile, EmptyLinesWithoutEndGiveAReadError) {
    // A first block of one port, then nothing but line ends.
    std::FILE* endless = popen("printf '   1.0E+06\\n\\n   1.0E+00   0.0E+00\\n\\n'; yes ''", "r");
    ASSERT_NE(endless, nullptr);
    EXPECT_EQ(read_parameter_stream(endless, *data).status, ParameterFileStatus::READ_ERROR);
    pclose(endless);
}

}  // namespace
