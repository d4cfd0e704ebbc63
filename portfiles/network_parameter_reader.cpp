#include "network_parameter_reader.h"

#include <cerrno>
#include <fstream>
#include <string_view>
#include <vector>

#include "free_format_number.h"
#include "free_format_reader.h"
#include "line_source.h"

namespace portfiles {

namespace {

class BlockReader {
public:
    BlockReader(std::istream& in, const std::string& name, const ReadLimits& limits)
        : lines_(in, MAX_LINE_LENGTH), limits_(limits) {
        result_.error.file = name;
    }

    SweepReading read() {
        std::string_view line;
        while (next(line)) {
            if (is_blank_line(line)) continue;
            if (!read_block(line)) return std::move(result_);
        }
        if (too_long_) return std::move(result_);
        result_.ok = true;
        return std::move(result_);
    }

private:
    // False at the end of the file or at a line beyond the bound (the error
    // is then set).
    bool next(std::string_view& line) {
        switch (lines_.next(line)) {
            case LineSource::Status::LINE: return true;
            case LineSource::Status::END: return false;
            case LineSource::Status::TOO_LONG:
                too_long_ = true;
                fail("a line of at most " + std::to_string(MAX_LINE_LENGTH) + " characters", "a longer line");
                return false;
        }
        return false;
    }

    bool fail(std::string expected, std::string found, ReadFailure why = ReadFailure::MALFORMED) {
        result_.ok = false;
        result_.failure = why;
        result_.error.line = lines_.line_number();
        result_.error.expected = std::move(expected);
        result_.error.found = std::move(found);
        return false;
    }

    bool fail_at_end(std::string expected) {
        if (too_long_) return false;
        result_.failure = ReadFailure::MALFORMED;
        result_.error.line = lines_.line_number() + 1;
        result_.error.expected = std::move(expected);
        result_.error.found = "the end of the file";
        return false;
    }

    // Reads `count` reals of a line into values.
    bool numbers(std::string_view line, int count, double* values, const std::string& what) {
        split_fields(line, fields_);
        if (static_cast<int>(fields_.size()) != count)
            return fail(what, std::to_string(fields_.size()) + (fields_.size() == 1 ? " field" : " fields"));
        for (int i = 0; i < count; ++i)
            if (!parse_real(fields_[i], values[i])) return fail(what, quoted_field(fields_[i]));
        return true;
    }

    bool read_block(std::string_view line) {
        PortSweep& sweep = result_.sweep;
        const std::size_t k = sweep.points();
        const std::string block = "block " + std::to_string(k + 1);
        double frequency = 0;
        if (!numbers(line, 1, &frequency, "the frequency of " + block + " (one real number)")) return false;
        if (k == limits_.max_points)
            return fail("at most " + std::to_string(limits_.max_points) + " frequency points", "more",
                        ReadFailure::TOO_MANY_POINTS);
        if (!next(line)) return fail_at_end("the empty line after the frequency of " + block);
        if (!is_blank_line(line)) return fail("the empty line after the frequency of " + block, "a line of text");

        // The entry lines up to the next empty line (or the end of the file).
        entries_.clear();
        const std::size_t expected = expected_entries();
        bool closed = false;
        while (next(line)) {
            if (is_blank_line(line)) {
                closed = true;
                break;
            }
            const std::size_t n = entries_.size();
            if (k > 0 && n == expected)
                return fail("the empty line that ends " + block + " after " + std::to_string(expected) +
                                " entry lines",
                            "another entry line");
            if (k == 0 && n == max_entries())
                return fail("at most " + std::to_string(limits_.max_ports) + " ports (" +
                                std::to_string(max_entries()) + " entry lines per block)",
                            "more entry lines", ReadFailure::TOO_MANY_PORTS);
            double parts[2];
            if (!numbers(line, 2, parts, "entry " + std::to_string(n + 1) + " of " + block +
                                             " (its real and imaginary part)"))
                return false;
            entries_.emplace_back(parts[0], parts[1]);
        }
        if (too_long_) return false;
        if (k == 0 && !set_port_count()) return false;
        if (entries_.size() != expected_entries()) {
            const std::string what = std::to_string(expected_entries()) + " entry lines in " + block;
            if (!closed) return fail_at_end(what);
            return fail(what, "an empty line after " + std::to_string(entries_.size()));
        }

        std::complex<double>* m = sweep.add_point(frequency);
        std::size_t e = 0;
        for (int q = 0; q < sweep.port_count; ++q)
            for (int p = 0; p <= q; ++p) m[q + p * sweep.port_count] = m[p + q * sweep.port_count] = entries_[e++];
        return true;
    }

    std::size_t expected_entries() const {
        const std::size_t p = result_.sweep.port_count;
        return p * (p + 1) / 2;
    }
    std::size_t max_entries() const { return limits_.max_ports * (limits_.max_ports + 1) / 2; }

    bool set_port_count() {
        const std::size_t n = entries_.size();
        for (int p = 1; p <= limits_.max_ports; ++p)
            if (static_cast<std::size_t>(p * (p + 1) / 2) == n) {
                result_.sweep.port_count = p;
                return true;
            }
        return fail("P(P+1)/2 entry lines in the first block for P ports",
                    std::to_string(n) + " entry line" + (n == 1 ? "" : "s"));
    }

    LineSource lines_;
    ReadLimits limits_;
    SweepReading result_;
    std::vector<std::string_view> fields_;
    std::vector<std::complex<double>> entries_;
    bool too_long_ = false;
};

}  // namespace

SweepReading read_parameter_stream(std::istream& in, const std::string& shown_name, const ReadLimits& limits) {
    if (limits.rules == ReadRules::FREE_FORMAT) return read_free_format(in, shown_name, limits);
    return BlockReader(in, shown_name, limits).read();
}

SweepReading read_parameter_file(const std::filesystem::path& path, const std::string& shown_name,
                                 const ReadLimits& limits) {
    errno = 0;
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in.is_open()) {
        SweepReading result;
        result.failure = ReadFailure::CANNOT_OPEN;
        result.error = cannot_open(shown_name);
        return result;
    }
    return read_parameter_stream(in, shown_name, limits);
}

}  // namespace portfiles
