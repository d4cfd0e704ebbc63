// Parameter files that never end: the loader stops with a read error
// instead of reading on for ever.
#include <gtest/gtest.h>

#include <unistd.h>

#include <istream>
#include <streambuf>
#include <string>

#include "sweep_loading.h"

namespace {

// A loader that does not end is killed by the alarm, failing the test.
class EndlessParameterFile : public ::testing::Test {
protected:
    void SetUp() override { alarm(120); }
    void TearDown() override { alarm(0); }
    portfiles::PortSweep sweep;
};

// A pipe's worth of text followed by empty lines without end; like a pipe,
// it cannot be rewound.
class EndlessEmptyLines : public std::streambuf {
public:
    explicit EndlessEmptyLines(std::string head) : head_(std::move(head)) {
        setg(head_.data(), head_.data(), head_.data() + head_.size());
    }

protected:
    int_type underflow() override {
        setg(lines_.data(), lines_.data(), lines_.data() + lines_.size());
        return '\n';
    }

private:
    std::string head_;
    std::string lines_ = std::string(4096, '\n');
};

TEST_F(EndlessParameterFile, ZeroBytesWithoutEndGiveAReadError) {
    EXPECT_EQ(read_sweep_file("/dev/zero", sweep).status, ParameterFileStatus::READ_ERROR);
}

TEST_F(EndlessParameterFile, EmptyLinesWithoutEndGiveAReadError) {
    // A first block of one port, then nothing but line ends.
    EndlessEmptyLines lines("   1.0E+06\n\n   1.0E+00   0.0E+00\n\n");
    std::istream endless(&lines);
    EXPECT_EQ(read_sweep_stream(endless, sweep).status, ParameterFileStatus::READ_ERROR);
}

}  // namespace
