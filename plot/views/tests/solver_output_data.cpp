#include "solver_output_data.h"

#include <stdexcept>
#include <string>

#include "network_parameter_reader.h"

namespace {

constexpr int PORTS = 4;
constexpr const char* FILE_NAME = PLOT_VIEWS_DATA_DIR "/coupled_microstrip_spar.dat";

portfiles::PortSweep read_sweep() {
    portfiles::SweepReading reading = portfiles::read_parameter_file(FILE_NAME, FILE_NAME);
    if (!reading.ok) throw std::runtime_error(reading.error.message());
    if (reading.sweep.port_count != PORTS || reading.sweep.points() < 2)
        throw std::runtime_error(std::string("not a four-port sweep: ") + FILE_NAME);
    return std::move(reading.sweep);
}

}  // namespace

ElementSweep coupled_microstrip_s(int row, int column) {
    static const portfiles::PortSweep sweep = read_sweep();
    if (column < 1 || row < 1 || row > PORTS || column > PORTS)
        throw std::out_of_range("no such element of a four-port");
    ElementSweep element;
    for (std::size_t k = 0; k < sweep.points(); ++k) {
        const std::complex<double> v = sweep.at(k, row - 1, column - 1);
        element.f.push_back(static_cast<float>(sweep.frequencies[k]));
        element.re.push_back(static_cast<float>(v.real()));
        element.im.push_back(static_cast<float>(v.imag()));
    }
    return element;
}
