"""scikit-rf as a client of our Touchstone files, for the interop tests.

  skrf_client.py read FILE    prints what scikit-rf reads from FILE
  skrf_client.py write FILE   writes a 3-port with scikit-rf and prints it

Printed lines: "ports N", "reference R1 R2 ...", then one line per
frequency: "point F re(S11) im(S11) re(S12) im(S12) ..." (row by row).
Exit status 77 when scikit-rf is not installed.
"""
import contextlib
import io
import sys

try:
    with contextlib.redirect_stdout(io.StringIO()), contextlib.redirect_stderr(io.StringIO()):
        import numpy as np
        import skrf
        from skrf.io.touchstone import Touchstone
except ImportError:
    sys.exit(77)


def show(network, reference):
    n = network.number_of_ports
    print("ports", n)
    print("reference", " ".join(repr(float(r)) for r in reference))
    for k, f in enumerate(network.f):
        values = []
        for i in range(n):
            for j in range(n):
                s = network.s[k, i, j]
                values += [repr(float(s.real)), repr(float(s.imag))]
        print("point", repr(float(f)), " ".join(values))


def read(path):
    with contextlib.redirect_stdout(io.StringIO()):
        network = skrf.Network(path)
        reference = Touchstone(path).reference
    show(network, reference)


def write(path):
    # A reciprocal 3-port over an uneven (logarithmic) frequency list, written
    # the way scikit-rf writes by default for measured data: MHz, dB/angle.
    frequency = skrf.Frequency.from_f(np.logspace(-1, 3, 37), unit="mhz")  # 100 kHz to 1 GHz
    k = np.arange(37)[:, None, None]
    i = np.arange(3)[None, :, None]
    j = np.arange(3)[None, None, :]
    magnitude = 0.9 / (1 + 0.1 * k + 0.3 * (i + j))
    phase = -0.07 * k * (1 + i + j)
    s = magnitude * np.exp(1j * phase)
    network = skrf.Network(frequency=frequency, s=s, z0=50, name="dut")
    network.write_touchstone(path, form="db")
    read(path)


if __name__ == "__main__":
    {"read": read, "write": write}[sys.argv[1]](sys.argv[2])
