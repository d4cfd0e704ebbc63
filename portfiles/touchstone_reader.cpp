#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string_view>

#include "free_format_number.h"
#include "line_source.h"
#include "touchstone.h"

namespace portfiles {

namespace {

enum class Format { RI, MA, DB };
enum class MatrixFormat { FULL, LOWER, UPPER };
enum class Section { HEADER, INFORMATION, NETWORK_DATA, NOISE_DATA, END };

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string count_of(std::size_t n, const char* thing, const char* things = nullptr) {
    return std::to_string(n) + " " + (n == 1 ? thing : things ? things : std::string(thing) + "s");
}

class TouchstoneParser {
public:
    TouchstoneParser(std::istream& in, const std::string& name, const ReadLimits& limits)
        : lines_(in, MAX_LINE_LENGTH), limits_(limits), name_port_count_(port_count_from_name(name)) {
        result_.error.file = name;
    }

    TouchstoneReading read() {
        std::string_view line;
        for (;;) {
            const LineSource::Status status = lines_.next(line);
            if (status == LineSource::Status::END) break;
            if (status == LineSource::Status::TOO_LONG)
            {
                fail("a line of at most " + std::to_string(MAX_LINE_LENGTH) + " characters", "a longer line");
                return std::move(result_);
            }
            const std::size_t comment = line.find('!');
            if (comment != std::string_view::npos) line = line.substr(0, comment);
            line = trim(line);
            if (line.empty()) continue;
            if (!take_line(line)) return std::move(result_);
            if (section_ == Section::END) break;
        }
        if (!finish()) return std::move(result_);
        result_.ok = true;
        return std::move(result_);
    }

private:
    // ---- Failures
    bool fail_at(int line, std::string expected, std::string found) {
        result_.ok = false;
        result_.error.line = line;
        result_.error.expected = std::move(expected);
        result_.error.found = std::move(found);
        return false;
    }
    bool fail(std::string expected, std::string found) {
        return fail_at(lines_.line_number(), std::move(expected), std::move(found));
    }

    // ---- Lines
    bool take_line(std::string_view line) {
        if (section_ == Section::INFORMATION) {
            if (lower(line).starts_with("[end information]")) section_ = Section::HEADER;
            return true;
        }
        if (!version_known_) {
            version_known_ = true;
            if (lower(line).starts_with("[version]")) result_.version = 2;
        }
        if (reference_needed_ > 0 && line.front() != '[') return reference_values(line);
        if (line.front() == '[') return keyword(line);
        if (line.front() == '#') return option_line(line.substr(1));
        return data_line(line);
    }

    bool keyword(std::string_view line) {
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos) return fail("a keyword in brackets", quoted_field(line));
        const std::string name = lower(line.substr(0, close + 1));
        const std::string_view argument = trim(line.substr(close + 1));
        const std::string found_keyword = "the keyword " + shown_text(line.substr(0, close + 1));
        if (result_.version == 1)
            return fail("the option line or data of a Touchstone 1 file", found_keyword);
        if (reference_needed_ > 0)
            return fail(count_of(reference_needed_, "more reference impedance") + " after [Reference]", found_keyword);
        if (section_ == Section::NOISE_DATA && name != "[end]") return fail("[End] after the noise data", found_keyword);

        if (name == "[version]") {
            if (!argument.starts_with("2.")) return fail("[Version] 2.0", quoted_field(argument));
            if (version_seen_) return fail("one [Version] line", "a second one");
            version_seen_ = true;
        } else if (!version_seen_) {
            return fail("[Version] 2.0 before any other keyword", found_keyword);
        } else if (name == "[number of ports]") {
            std::int32_t n = 0;
            if (!parse_integer(argument, n) || n < 1) return fail("a port count after [Number of Ports]", quoted_field(argument));
            if (n > limits_.max_ports) return fail("at most " + count_of(limits_.max_ports, "port"), std::to_string(n));
            port_count_ = n;
        } else if (name == "[two-port data order]") {
            const std::string order = lower(argument);
            if (order != "12_21" && order != "21_12") return fail("12_21 or 21_12 after [Two-Port Data Order]", quoted_field(argument));
            order_21_12_ = order == "21_12";
            order_given_ = true;
        } else if (name == "[number of frequencies]") {
            std::int32_t n = 0;
            if (!parse_integer(argument, n) || n < 1) return fail("a positive count after [Number of Frequencies]", quoted_field(argument));
            frequency_count_ = n;
        } else if (name == "[number of noise frequencies]") {
        } else if (name == "[reference]") {
            if (port_count_ == 0) return fail("[Number of Ports] before [Reference]", "[Reference]");
            reference_.clear();
            reference_needed_ = port_count_;
            if (!argument.empty()) return reference_values(argument);
        } else if (name == "[matrix format]") {
            const std::string format = lower(argument);
            if (format == "full") matrix_format_ = MatrixFormat::FULL;
            else if (format == "lower") matrix_format_ = MatrixFormat::LOWER;
            else if (format == "upper") matrix_format_ = MatrixFormat::UPPER;
            else return fail("Full, Lower or Upper after [Matrix Format]", quoted_field(argument));
        } else if (name == "[mixed-mode order]") {
            return fail("single-ended network data", "[Mixed-Mode Order] (mixed-mode data cannot be converted)");
        } else if (name == "[begin information]") {
            section_ = Section::INFORMATION;
        } else if (name == "[network data]") {
            return begin_network_data();
        } else if (name == "[noise data]") {
            if (section_ != Section::NETWORK_DATA) return fail("[Network Data] before [Noise Data]", "[Noise Data]");
            if (!end_of_network_data()) return false;
            section_ = Section::NOISE_DATA;
            note_noise();
        } else if (name == "[end]") {
            if (section_ != Section::NETWORK_DATA && section_ != Section::NOISE_DATA)
                return fail("[Network Data] before [End]", "[End]");
            if (!end_of_network_data()) return false;
            section_ = Section::END;
        } else {
            return fail("a keyword of Touchstone 2.0", found_keyword);
        }
        return true;
    }

    bool reference_values(std::string_view line) {
        split_fields(line, fields_);
        for (std::string_view field : fields_) {
            double r = 0;
            if (reference_needed_ == 0) return fail(count_of(port_count_, "reference impedance"), "more");
            if (!parse_real(field, r) || r <= 0) return fail("a reference impedance in ohms (above 0)", quoted_field(field));
            reference_.push_back(r);
            --reference_needed_;
        }
        return true;
    }

    bool option_line(std::string_view text) {
        if (option_seen_) {
            if (result_.version == 2) return fail("one option line", "a second one");
            result_.notes.push_back("line " + std::to_string(lines_.line_number()) + ": a second option line is ignored");
            return true;
        }
        if (result_.version == 2 && section_ != Section::HEADER) return fail("the option line before [Network Data]", "it after");
        option_seen_ = true;
        split_fields(text, fields_);
        bool unit = false, kind = false, format = false, resistance = false;
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const std::string word = lower(fields_[i]);
            auto once = [&](bool& seen) {
                if (seen) return fail("each option once in the option line", quoted_field(fields_[i]));
                seen = true;
                return true;
            };
            if (word == "hz" || word == "khz" || word == "mhz" || word == "ghz") {
                if (!once(unit)) return false;
                frequency_unit_ = word == "hz" ? 1.0 : word == "khz" ? 1e3 : word == "mhz" ? 1e6 : 1e9;
            } else if (word == "s" || word == "y" || word == "z") {
                if (!once(kind)) return false;
                result_.network.kind = word == "s" ? ParameterKind::S : word == "y" ? ParameterKind::Y : ParameterKind::Z;
            } else if (word == "g" || word == "h") {
                return fail("S, Y or Z parameters in the option line",
                            quoted_field(fields_[i]) + " (hybrid parameters cannot be converted)");
            } else if (word == "ri" || word == "ma" || word == "db") {
                if (!once(format)) return false;
                format_ = word == "ri" ? Format::RI : word == "ma" ? Format::MA : Format::DB;
            } else if (word == "r") {
                if (!once(resistance)) return false;
                if (i + 1 == fields_.size()) return fail("a resistance after R in the option line", "the end of the line");
                ++i;
                if (!parse_real(fields_[i], resistance_) || resistance_ <= 0)
                    return fail("a resistance in ohms (above 0) after R in the option line", quoted_field(fields_[i]));
            } else {
                return fail("an option line of Hz, kHz, MHz or GHz; S, Y or Z; RI, MA or DB; R and a resistance",
                            quoted_field(fields_[i]));
            }
        }
        return true;
    }

    // ---- Network data
    bool begin_network_data() {
        if (section_ != Section::HEADER) return fail("one [Network Data]", "a second one");
        if (!option_seen_) return fail("the option line (# ...) before [Network Data]", "[Network Data]");
        if (port_count_ == 0) return fail("[Number of Ports] before [Network Data]", "[Network Data]");
        if (port_count_ == 2 && !order_given_)
            return fail("[Two-Port Data Order] before the [Network Data] of a 2-port", "[Network Data]");
        if (frequency_count_ == 0) return fail("[Number of Frequencies] before [Network Data]", "[Network Data]");
        section_ = Section::NETWORK_DATA;
        return start_data();
    }

    bool start_data() {
        const int n = port_count_;
        PortSweep& sweep = result_.network.sweep;
        sweep.port_count = n;
        if (reference_.empty()) reference_.assign(n, resistance_);
        result_.network.reference = reference_;
        row_sizes_.clear();
        if (result_.version == 1 && n <= 2) {
            row_sizes_.push_back(n * n);  // one line per frequency
        } else {
            for (int r = 0; r < n; ++r)
                row_sizes_.push_back(matrix_format_ == MatrixFormat::FULL    ? n
                                     : matrix_format_ == MatrixFormat::LOWER ? r + 1
                                                                             : n - r);
        }
        record_size_ = 1;
        for (int size : row_sizes_) record_size_ += 2 * size;
        data_started_ = true;
        return true;
    }

    bool data_line(std::string_view line) {
        if (result_.version == 2) {
            if (section_ == Section::NOISE_DATA) return true;
            if (section_ != Section::NETWORK_DATA) return fail("a keyword before [Network Data]", quoted_field(line));
        } else {
            if (in_noise_) return noise_line(line);
            if (!option_seen_) return fail("the option line (# ...) before the data", quoted_field(line));
            if (!data_started_) {
                if (name_port_count_ == 0)
                    return fail("a file name ending in .sNp (N the number of ports) for a Touchstone 1 file",
                                "another name");
                if (name_port_count_ > limits_.max_ports)
                    return fail("at most " + count_of(limits_.max_ports, "port"), std::to_string(name_port_count_));
                port_count_ = name_port_count_;
                if (!start_data()) return false;
            }
        }
        split_fields(line, fields_);
        if (record_.empty()) {
            record_line_ = lines_.line_number();
            // Noise parameters follow the network data of a 2-port: five
            // numbers per line, starting over at a lower frequency.
            double frequency = 0;
            if (result_.version == 1 && port_count_ == 2 && fields_.size() == 5 && points() > 0 &&
                parse_real(fields_[0], frequency) && frequency * frequency_unit_ <= last_frequency_) {
                in_noise_ = true;
                note_noise();
                return noise_line(line);
            }
            row_ = 0;
            in_row_ = 0;
        }
        std::size_t used_on_line = 0;
        for (std::string_view field : fields_) {
            if (record_.size() == record_size_)
                return fail("the end of the line after the " + count_of(record_size_, "number") +
                                " of the frequency on line " + std::to_string(record_line_),
                            "more numbers");
            double value = 0;
            if (!parse_real(field, value)) return fail("a number", quoted_field(field));
            record_.push_back(value);
            ++used_on_line;
            if (record_.size() > 1 && ++in_row_ == static_cast<std::size_t>(2 * row_sizes_[row_])) {
                ++row_;
                in_row_ = 0;
            }
        }
        if (record_.size() == record_size_) return store_record();
        // A line may end only where a matrix row ends or after four
        // complete values of a row.
        if (result_.version == 1 && port_count_ <= 2)
            return fail(count_of(record_size_, "number") + " on the line (the frequency and " +
                            count_of(record_size_ / 2, "complex value") + ")",
                        std::to_string(used_on_line));
        if (in_row_ % 8 != 0 || record_.size() == 1)
            return fail("a line that ends a row of the matrix or holds four of its values (eight numbers)",
                        count_of(used_on_line, "number") + " on the line");
        return true;
    }

    bool noise_line(std::string_view line) {
        split_fields(line, fields_);
        if (fields_.size() != 5) return fail("5 numbers of noise data", std::to_string(fields_.size()));
        for (std::string_view field : fields_) {
            double value = 0;
            if (!parse_real(field, value)) return fail("a number", quoted_field(field));
        }
        return true;
    }

    void note_noise() {
        result_.notes.push_back("the noise data from line " + std::to_string(lines_.line_number()) + " on is ignored");
    }

    std::size_t points() const { return result_.network.sweep.points(); }

    bool store_record() {
        PortSweep& sweep = result_.network.sweep;
        const double frequency = record_[0] * frequency_unit_;
        if (!std::isfinite(frequency) || frequency < 0)
            return fail_at(record_line_, "a frequency of 0 or above", number_text(record_[0]));
        if (points() > 0 && frequency <= last_frequency_)
            return fail_at(record_line_, "a frequency above the one before (frequencies in increasing order)",
                           fields_.empty() ? std::string() : number_text(record_[0]));
        if (points() == limits_.max_points)
            return fail_at(record_line_, "at most " + std::to_string(limits_.max_points) + " frequencies", "more");
        last_frequency_ = frequency;
        std::complex<double>* m = sweep.add_point(frequency);
        const int n = port_count_;
        std::size_t i = 1;
        for (int r = 0; r < n; ++r) {
            const int first = matrix_format_ == MatrixFormat::UPPER ? r : 0;
            const int count = result_.version == 1 && n <= 2 ? n : row_sizes_[r];
            for (int c = first; c < first + count; ++c, i += 2) {
                const std::complex<double> v = complex_value(record_[i], record_[i + 1]);
                if (!std::isfinite(v.real()) || !std::isfinite(v.imag()))
                    return fail_at(record_line_, "values within the range of numbers", "an overflow");
                int q = r, p = c;
                if (n == 2 && order_21_12_) std::swap(q, p);  // N11 N21 N12 N22
                m[q + p * n] = v;
                if (matrix_format_ != MatrixFormat::FULL) m[p + q * n] = v;
            }
        }
        record_.clear();
        return true;
    }

    static std::string number_text(double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", value);
        return text;
    }

    std::complex<double> complex_value(double a, double b) const {
        std::complex<double> v;
        switch (format_) {
            case Format::RI: v = {a, b}; break;
            case Format::MA: v = std::polar(a, b * std::numbers::pi / 180); break;
            case Format::DB: v = std::polar(std::pow(10.0, a / 20), b * std::numbers::pi / 180); break;
        }
        if (result_.version == 1) {
            // Version 1 files give Y and Z normalised to the reference
            // resistance.
            if (result_.network.kind == ParameterKind::Z) v *= resistance_;
            if (result_.network.kind == ParameterKind::Y) v /= resistance_;
        }
        return v;
    }

    bool end_of_network_data() {
        if (!record_.empty())
            return fail("the rest of the " + count_of(record_size_, "number") + " of the frequency on line " +
                            std::to_string(record_line_),
                        "a keyword");
        if (frequency_count_ > 0 && points() != static_cast<std::size_t>(frequency_count_))
            return fail(count_of(frequency_count_, "frequency", "frequencies") + " as [Number of Frequencies] says",
                        std::to_string(points()));
        return true;
    }

    bool finish() {
        const int end_line = lines_.line_number() + 1;
        if (reference_needed_ > 0)
            return fail_at(end_line, count_of(reference_needed_, "more reference impedance"), "the end of the file");
        if (!record_.empty())
            return fail_at(end_line,
                           "the rest of the " + count_of(record_size_, "number") + " of the frequency on line " +
                               std::to_string(record_line_),
                           "the end of the file");
        if (result_.version == 2) {
            if (section_ == Section::HEADER || section_ == Section::INFORMATION)
                return fail_at(end_line, "[Network Data]", "the end of the file");
            if (section_ == Section::NETWORK_DATA && !end_of_network_data()) {
                result_.error.line = end_line;
                return false;
            }
        }
        if (points() == 0) return fail_at(end_line, "network data for at least one frequency", "the end of the file");
        return true;
    }

    LineSource lines_;
    ReadLimits limits_;
    int name_port_count_;
    TouchstoneReading result_;
    std::vector<std::string_view> fields_;

    bool version_known_ = false;
    bool version_seen_ = false;
    Section section_ = Section::HEADER;
    bool option_seen_ = false;
    double frequency_unit_ = 1e9;
    Format format_ = Format::MA;
    double resistance_ = 50;
    int port_count_ = 0;
    bool order_given_ = false;
    bool order_21_12_ = true;
    int frequency_count_ = 0;
    std::vector<double> reference_;
    int reference_needed_ = 0;
    MatrixFormat matrix_format_ = MatrixFormat::FULL;

    bool data_started_ = false;
    bool in_noise_ = false;
    std::vector<int> row_sizes_;
    std::size_t record_size_ = 0;
    std::vector<double> record_;
    int record_line_ = 0;
    int row_ = 0;
    std::size_t in_row_ = 0;
    double last_frequency_ = 0;
};

}  // namespace

int port_count_from_name(const std::string& file_name) {
    const std::string name = lower(std::filesystem::path(file_name).filename().string());
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.size() < dot + 4 || name[dot + 1] != 's' || name.back() != 'p') return 0;
    std::int32_t n = 0;
    if (!parse_integer(std::string_view(name).substr(dot + 2, name.size() - dot - 3), n) || n < 1) return 0;
    if (name[dot + 2] == '+' || name[dot + 2] == '-') return 0;
    return n;
}

TouchstoneReading read_touchstone_stream(std::istream& in, const std::string& shown_name, const ReadLimits& limits) {
    return TouchstoneParser(in, shown_name, limits).read();
}

TouchstoneReading read_touchstone_file(const std::filesystem::path& path, const std::string& shown_name,
                                       const ReadLimits& limits) {
    errno = 0;
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in.is_open()) {
        TouchstoneReading result;
        result.error = cannot_open(shown_name);
        return result;
    }
    return read_touchstone_stream(in, shown_name, limits);
}

}  // namespace portfiles
