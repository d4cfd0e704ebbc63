// NETINP.DAT stage: checks in their order, repairs, echo and the port check
// without echo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_stages.h"
#include "network_echo.h"
#include "stage_fixture.h"

namespace solver {
namespace {

using solver_test::StageTest;

class NetworkInputTest : public StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        run->sweep.start_frequency = 1.0e6f;
        run->sweep.frequency_step = 1.0e6f;
        run->sweep.step_count = 9;  // fmax 10 MHz
        apply_lines();
    }
    // Lines with the given conductor counts, numbered as the line stage does.
    void set_lines(std::initializer_list<int> conductors) {
        conductors_.assign(conductors);
        apply_lines();
    }
    void apply_lines() {
        LineTable& lines = run->lines;
        lines.line_count = 0;
        int total = 0;
        for (int n : conductors_) {
            lines.conductor_count[lines.line_count] = n;
            lines.first_node[lines.line_count] = total + 1;
            total += 2 * n;
            ++lines.line_count;
        }
        lines.line_port_count = total;
    }
    void read(const std::string& network, int suppress_echo = 0) {
        run->options.suppress_input_echo = suppress_echo;
        dir.write("NETINP.DAT", network);
        read_network(*run, error_flag);
    }
    // The report of a failing run with the given file, from a fresh start.
    std::string failing(const std::string& network) {
        restart();
        read(network);
        EXPECT_EQ(error_flag, 1) << network;
        return report();
    }

    std::vector<int> conductors_;
};

TEST_F(NetworkInputTest, WholeEchoWithLumpedElementsAndTheLineEndWalk) {
    set_lines({2, 1});  // nodes 1..4 line 1, 5..6 line 2, 7..8 own
    read("8\n2\n"
         "2\n6 -50 1\n1 0 7\n"  // node 1: port 1 (impedance repaired to 50), resistor 0 -> 1 mΩ
         "0\n"
         "1\n4 0 5\n"  // node 3: short to node 5
         "1\n5 0 0\n"  // node 4: open circuit
         "0\n"
         "1\n2 0 0\n"  // node 6: inductor 0 -> 1.592E-11 H
         "2\n3 -1E-12 8\n6 0 2\n"  // node 7: capacitor to node 8, port 2 (50)
         "1\n4 0 0\n");  // node 8: short to ground
    ASSERT_EQ(error_flag, 0) << diagnostics.str();
    EXPECT_EQ(report(),
              "\n"
              " INTERCONNECTING NETWORK HAS   8 NODES WITH FOLLOWING ELEMENTS\n"
              "\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   1\n"
              " \tPORT 1, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
              " \tRESISTOR, R= 1.000E-03 \xEA, TO NODE   7\n"
              " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  1, END 1\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   2\n"
              " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  2, END 1\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   3\n"
              " \tSHORT CIRCUIT TO NODE   5\n"
              " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  1, END 2\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   4\n"
              " \tOPEN CIRCUIT\n"
              " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  2, END 2\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   5\n"
              " \tTRANSMISSION LINE  2, SIGNAL CONDUCTOR  1, END 1\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   6\n"
              " \tINDUCTOR, L= 1.592E-11 H, TO GROUND\n"
              " \tTRANSMISSION LINE  2, SIGNAL CONDUCTOR  1, END 2\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   7\n"
              " \tCAPACITOR, C= 1.000E-12 F, TO NODE   8\n"
              " \tPORT 2, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   8\n"
              " \tSHORT CIRCUIT TO GROUND\n"
              "\n\n"
              " EXTERNAL PORTS\n"
              "\n"
              " \tPORT 1 AT NODE   1, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
              " \tPORT 2 AT NODE   7, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
              "\n\n");
    const Network& net = run->network;
    EXPECT_EQ(net.node_count, 8);
    EXPECT_EQ(net.port_node[0], 1);
    EXPECT_EQ(net.port_node[1], 7);
    EXPECT_EQ(net.nominal_impedance[0], 50.0f);
    EXPECT_EQ(net.elements[0][1].value, 0.001f);
    EXPECT_FLOAT_EQ(net.elements[5][0].value, 0.001f / (6.283186f * 1.0e7f));
    EXPECT_EQ(net.elements[6][0].value, 1e-12f);
    EXPECT_EQ(net.connection_count[6], 3);  // two listed at node 7, the resistor of node 1 names it
    EXPECT_EQ(net.connection_count[1], 0);  // a line end: never checked
    EXPECT_TRUE(net.has_port[6]);
    EXPECT_FALSE(net.has_port[7]);
}

TEST_F(NetworkInputTest, RepairedValues) {
    read("2\n1\n4\n1 -75 0\n2 0 2\n3 0 0\n6 0 1\n0\n", 1);
    ASSERT_EQ(error_flag, 0);
    const NodeElement* e = run->network.elements[0];
    EXPECT_EQ(e[0].value, 75.0f);
    EXPECT_NEAR(e[1].value, 1.592e-11f, 1e-14f);
    EXPECT_NEAR(e[2].value, 1.592e-11f, 1e-14f);
    EXPECT_EQ(e[3].value, 50.0f);
    EXPECT_EQ(run->network.nominal_impedance[0], 50.0f);
}

TEST_F(NetworkInputTest, SingleNodeHeaderAndOpenCircuitCountsAsConnection) {
    read("1\n1\n2\n5 0 0\n6 75 1\n");
    ASSERT_EQ(error_flag, 0) << diagnostics.str();
    EXPECT_EQ(report(),
              "\n INTERCONNECTING NETWORK HAS   1 NODE WITH FOLLOWING ELEMENTS\n\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   1\n"
              " \tOPEN CIRCUIT\n"
              " \tPORT 1, NOMINAL IMPEDANCE 7.500E+01 \xEA\n"
              "\n\n EXTERNAL PORTS\n\n"
              " \tPORT 1 AT NODE   1, NOMINAL IMPEDANCE 7.500E+01 \xEA\n\n\n");
}

TEST_F(NetworkInputTest, CountMessages) {
    set_lines({2});
    EXPECT_EQ(failing("3\n1\n"),
              "\n\n NUMBER OF NODES NONPOSITIVE OR SMALLER THAN  NUMBER OF TRANSMISSION LINE PORTS\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: NETINP.DAT:1: expected a number of nodes from 4 (the transmission-line ends) to 512, "
              "found \"3\"\n");
    set_lines({});
    EXPECT_EQ(failing("0\n1\n"),
              "\n\n NUMBER OF NODES NONPOSITIVE OR SMALLER THAN  NUMBER OF TRANSMISSION LINE PORTS\n");
    EXPECT_EQ(failing("513\n1\n"), "\n\n INTERCONNECTING NETWORK HAS MORE NODES THAN  ALLOWED 512\n");
    EXPECT_EQ(failing("1\n0\n"), "\n\n NUMBER OF PORTS NONPOSITIVE OR EXCEEDS ALLOWED 6\n");
    EXPECT_EQ(failing("1\n7\n"), "\n\n NUMBER OF PORTS NONPOSITIVE OR EXCEEDS ALLOWED 6\n");
    EXPECT_EQ(failing("2\n1\n1\n6 50 1\n17\n"),
              " NUMBER OF ELEMENTS AT NODE 2  NEGATIVE OR GREATER THAN ALLOWED 16\n");
    EXPECT_EQ(failing("2\n1\n-1\n"), " NUMBER OF ELEMENTS AT NODE 1  NEGATIVE OR GREATER THAN ALLOWED 16\n");
}

TEST_F(NetworkInputTest, ElementMessagesHaveNoEmptyLinesBefore) {
    EXPECT_EQ(failing("2\n1\n1\n7 1 0\n"), " ILLEGAL ELEMENT CODE AT NODE 1\n");
    EXPECT_EQ(failing("2\n1\n1\n0 1 0\n"), " ILLEGAL ELEMENT CODE AT NODE 1\n");
    EXPECT_EQ(failing("3\n1\n0\n0\n1\n1 50 3\n"), " ILLEGAL SECOND NODE INDEX AT NODE 3\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: NETINP.DAT:6: expected a second node from 0 (ground) to 3 other than 3 for element 1 at "
              "node 3, found 3\n");
    EXPECT_EQ(failing("3\n1\n1\n5 0 4\n"), " ILLEGAL SECOND NODE INDEX AT NODE 1\n");
    EXPECT_EQ(failing("3\n1\n1\n2 1E-9 -1\n"), " ILLEGAL SECOND NODE INDEX AT NODE 1\n");
    EXPECT_EQ(failing("2\n2\n1\n6 50 0\n"), " ILLEGAL PORT INDEX AT NODE 1\n");
    EXPECT_EQ(failing("2\n2\n0\n1\n6 50 3\n"), " ILLEGAL PORT INDEX AT NODE 2\n");
}

TEST_F(NetworkInputTest, MultiplySpecifiedPorts) {
    EXPECT_EQ(failing("2\n2\n2\n6 50 1\n6 50 2\n"), "\n\n MULTIPLY SPECIFIED PORT AT NODE 1\n");
    EXPECT_EQ(failing("2\n2\n1\n6 50 1\n1\n6 50 1\n"), "\n\n MULTIPLY SPECIFIED PORT AT NODE 2\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: NETINP.DAT:6: expected port 1 at one node only, found it at node 1 and again at node 2\n");
}

TEST_F(NetworkInputTest, ChecksFireInFileOrder) {
    // A bad code at node 1 wins over a bad element count at node 2.
    EXPECT_EQ(failing("2\n1\n1\n9 0 0\n99\n"), " ILLEGAL ELEMENT CODE AT NODE 1\n");
    // A bad port count wins over a missing rest of the file.
    EXPECT_EQ(failing("2\n0\n"), "\n\n NUMBER OF PORTS NONPOSITIVE OR EXCEEDS ALLOWED 6\n");
    // An unreadable element wins over everything after it.
    EXPECT_EQ(failing("2\n1\n1\n1 x 0\n99\n"), "\n\n ERROR OR END OF FILE READING NETWORK DATA\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: NETINP.DAT:4: expected a real number (value 2 of 3 of element 1 at node 1: code, value, "
              "second node or port), found \"x\"\n");
}

TEST_F(NetworkInputTest, UnconnectedOwnNodeIsReportedAfterTheEcho) {
    set_lines({1});  // nodes 1, 2 line ends (never checked), 3 and 4 own
    std::string text = failing("4\n1\n1\n6 50 1\n0\n0\n1\n5 0 0\n");
    EXPECT_EQ(text.substr(text.find(" \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  1, END 2\n")),
              " \tTRANSMISSION LINE  1, SIGNAL CONDUCTOR  1, END 2\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   3\n"
              "\n ELEMENTS AND TRANSMISSION LINE ASSIGNED TO NODE   4\n"
              " \tOPEN CIRCUIT\n"
              "\n\n\n\n NODE 3  LEFT UNCONNECTED\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: NETINP.DAT:6: expected node 3 to list an element or to be named by one, "
              "found no connection\n");
}

TEST_F(NetworkInputTest, NodeNamedByAnotherElementIsConnected) {
    read("2\n1\n2\n6 50 1\n1 50 2\n0\n");
    EXPECT_EQ(error_flag, 0) << diagnostics.str();
}

TEST_F(NetworkInputTest, UndefinedPortAfterTheListedOnes) {
    std::string text = failing("2\n3\n1\n6 50 1\n1\n6 50 3\n");
    EXPECT_EQ(text.substr(text.find(" EXTERNAL PORTS")),
              " EXTERNAL PORTS\n\n"
              " \tPORT 1 AT NODE   1, NOMINAL IMPEDANCE 5.000E+01 \xEA\n"
              "\n\n PORT 2  UNDEFINED\n");
    EXPECT_EQ(diagnostics.str(),
              "mtlnet: NETINP.DAT:2: expected an element of code 6 for port 2 (the file declares 3 ports), found "
              "port 2 at no node\n");
}

TEST_F(NetworkInputTest, UnconnectedNodeIsFoundBeforeAnUndefinedPort) {
    std::string text = failing("2\n2\n1\n6 50 1\n0\n");
    EXPECT_EQ(text.substr(text.size() - 30), "\n\n\n\n NODE 2  LEFT UNCONNECTED\n");
}

TEST_F(NetworkInputTest, WithoutEchoAnUndefinedPortStillStopsTheRun) {
    read("3\n2\n1\n6 50 1\n0\n0\n", 1);  // node 2 and 3 unconnected: not checked without echo
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), "\n\n PORT 2  UNDEFINED\n");
}

TEST_F(NetworkInputTest, WithoutEchoAValidNetworkWritesNothing) {
    read("3\n1\n1\n6 50 1\n0\n0\n", 1);
    EXPECT_EQ(error_flag, 0);
    EXPECT_EQ(report(), "");
}

TEST_F(NetworkInputTest, ReadFailures) {
    for (const char* network : {"", "2\n", "2\n1\n1\n", "2\n1\n1\n6 50\n", "2\n1\n1\n6 50 1.0\n", "2\n1\n0\n"}) {
        EXPECT_EQ(failing(network), "\n\n ERROR OR END OF FILE READING NETWORK DATA\n") << network;
    }
    restart();
    read_network(*run, error_flag);  // no file at all
    EXPECT_EQ(report(), "\n\n ERROR OR END OF FILE READING NETWORK DATA\n");
}

TEST(LineEndWalk, VisitsEveryLineEndInNodeOrderAndStops) {
    LineTable lines;
    lines.line_count = 2;
    lines.conductor_count[0] = 2;
    lines.conductor_count[1] = 1;
    LineEndWalk walk(lines);
    std::string visited;
    while (!walk.done()) {
        visited += std::to_string(walk.line()) + "." + std::to_string(walk.conductor()) + "." +
                   std::to_string(walk.end()) + " ";
        walk.advance();
    }
    EXPECT_EQ(visited, "1.1.1 1.2.1 1.1.2 1.2.2 2.1.1 2.1.2 ");
    LineTable none;
    EXPECT_TRUE(LineEndWalk(none).done());
}

}  // namespace
}  // namespace solver
