#include "free_format_reader.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <streambuf>

#include "free_format_number.h"

namespace portfiles {

namespace {

// A number field longer than this is not a number of this file.
constexpr int MAX_FIELD_LENGTH = 48;

enum class ReadStatus { OK, END, ERROR };

// Byte-wise reading of one pass; nothing but the current number field is
// kept in memory.
class FreeFormatScanner {
public:
    FreeFormatScanner(std::streambuf* buffer, const ReadLimits& limits)
        : buffer_(buffer), max_bytes_(limits.max_bytes), single_precision_(limits.single_precision_range) {}

    int line() const { return line_; }
    // True once the pass has read max_bytes: it then reads as ended.
    bool too_long() const { return bytes_ > max_bytes_; }

    // Reads count numbers into values.
    ReadStatus read_reals(int count, double* values) {
        for (int n = 0; n < count; ++n) {
            std::string field;
            if (!next_field(field)) return n == 0 ? ReadStatus::END : ReadStatus::ERROR;
            if (!parse(field, values[n])) return ReadStatus::ERROR;
        }
        skip_rest_of_line();
        return ReadStatus::OK;
    }

    // Reads one line as text; blank tells whether it holds blanks only.
    ReadStatus read_line(bool& blank) {
        blank = true;
        int c = get();
        if (c == EOF) return ReadStatus::END;
        while (c != EOF && c != '\n') {
            if (!is_separator_blank(c)) blank = false;
            c = get();
        }
        if (c == '\n') ++line_;
        return ReadStatus::OK;
    }

private:
    static bool is_separator_blank(int c) { return c == ' ' || c == '\t' || c == '\r'; }
    static bool is_separator(int c) { return is_separator_blank(c) || c == ','; }

    int get() {
        if (++bytes_ > max_bytes_) return EOF;
        if (pushed_back_ != EOF) {
            const int c = pushed_back_;
            pushed_back_ = EOF;
            return c;
        }
        const auto c = buffer_ ? buffer_->sbumpc() : std::char_traits<char>::eof();
        return c == std::char_traits<char>::eof() ? EOF : static_cast<unsigned char>(c);
    }

    void skip_rest_of_line() {
        int c = get();
        while (c != EOF && c != '\n') c = get();
        if (c == '\n') ++line_;
    }

    // The next number field, across line ends. False at the end of the file.
    bool next_field(std::string& field) {
        int c = get();
        while (c != EOF && (is_separator(c) || c == '\n')) {
            if (c == '\n') ++line_;
            c = get();
        }
        if (c == EOF) return false;
        bool too_long = false;
        while (c != EOF && c != '\n' && !is_separator(c)) {
            if (static_cast<int>(field.size()) < MAX_FIELD_LENGTH)
                field.push_back(static_cast<char>(c));
            else
                too_long = true;
            c = get();
        }
        if (c == '\n') pushed_back_ = c;
        if (too_long) field.assign(1, '?');  // never a number
        return true;
    }

    // A plain decimal real (the shared scanner's syntax), within the 32-bit
    // range where asked; an underflow there reads as (nearly) zero.
    bool parse(const std::string& field, double& value) const {
        double d = 0;
        if (!parse_real(field, d) || (single_precision_ && std::fabs(d) > FLT_MAX)) return false;
        value = d;
        return true;
    }

    std::streambuf* buffer_;
    std::int64_t max_bytes_;
    bool single_precision_;
    int pushed_back_ = EOF;
    int line_ = 1;
    std::int64_t bytes_ = 0;
};

// Back to the start of the input, past a UTF-8 byte-order mark that some
// editors write there. An input that cannot seek (a pipe) reads on.
void rewind_past_byte_order_mark(std::streambuf* buffer) {
    if (!buffer) return;
    buffer->pubseekpos(0, std::ios::in);
    char mark[3] = {0, 0, 0};
    if (buffer->sgetn(mark, 3) != 3 || mark[0] != '\xEF' || mark[1] != '\xBB' || mark[2] != '\xBF')
        buffer->pubseekpos(0, std::ios::in);
}

class FreeFormatReader {
public:
    FreeFormatReader(std::istream& in, const std::string& name, const ReadLimits& limits)
        : buffer_(in.rdbuf()), limits_(limits) {
        result_.error.file = name;
    }

    SweepReading read() {
        rewind_past_byte_order_mark(buffer_);
        if (!find_port_count()) return std::move(result_);
        rewind_past_byte_order_mark(buffer_);
        read_blocks();
        return std::move(result_);
    }

private:
    bool fail(ReadFailure why, int line, std::string expected) {
        result_.ok = false;
        result_.failure = why;
        result_.error.line = line;
        result_.error.expected = std::move(expected);
        return false;
    }

    // First pass: the port count from the lines of the first block: its
    // frequency, an empty line, the first entry line, and the entry lines
    // up to the empty line that ends it.
    bool find_port_count() {
        FreeFormatScanner scanner(buffer_, limits_);
        double start = 0;
        if (scanner.read_reals(1, &start) != ReadStatus::OK)
            return fail(ReadFailure::MALFORMED, scanner.line(), "the frequency of the first block");
        bool blank = false;
        for (int n = 0; n < 2; ++n)
            if (scanner.read_line(blank) != ReadStatus::OK)
                return fail(ReadFailure::MALFORMED, scanner.line(), "the entries of the first block");
        const int search_lines = limits_.max_ports * (limits_.max_ports + 1) / 2 + 1;
        int entry_lines = 0;
        for (int m = 1; m <= search_lines; ++m) {
            if (scanner.read_line(blank) != ReadStatus::OK)
                return fail(ReadFailure::MALFORMED, scanner.line(), "the empty line that ends the first block");
            if (blank) {
                entry_lines = m;
                break;
            }
        }
        if (entry_lines == 0)
            return fail(ReadFailure::TOO_MANY_PORTS, scanner.line(),
                        "at most " + std::to_string(limits_.max_ports) + " ports");
        for (int n = 1; n <= limits_.max_ports; ++n)
            if (n * (n + 1) / 2 == entry_lines) result_.sweep.port_count = n;
        if (result_.sweep.port_count == 0)
            return fail(ReadFailure::MALFORMED, scanner.line() - 1,
                        "P(P+1)/2 entry lines in the first block, found " + std::to_string(entry_lines));
        return true;
    }

    // Second pass: every block as numbers.
    void read_blocks() {
        FreeFormatScanner scanner(buffer_, limits_);
        PortSweep& sweep = result_.sweep;
        const int n = sweep.port_count;
        while (sweep.points() < limits_.max_points) {
            double frequency = 0;
            const ReadStatus status = scanner.read_reals(1, &frequency);
            if (status == ReadStatus::END && scanner.too_long()) {
                fail(ReadFailure::MALFORMED, scanner.line(),
                     "a file of at most " + std::to_string(limits_.max_bytes) + " bytes");
                return;
            }
            if (status == ReadStatus::END) break;
            if (status == ReadStatus::ERROR) {
                fail(ReadFailure::MALFORMED, scanner.line(), "a frequency (a real number)");
                return;
            }
            const std::size_t k = sweep.points();
            std::complex<double>* m = sweep.add_point(frequency);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c <= r; ++c) {
                    double entry[2];
                    if (scanner.read_reals(2, entry) != ReadStatus::OK) {
                        fail(ReadFailure::MALFORMED, scanner.line(),
                             "the real and imaginary part of entry (" + std::to_string(r + 1) + "," +
                                 std::to_string(c + 1) + ") of block " + std::to_string(k + 1));
                        return;
                    }
                    m[r + c * n] = m[c + r * n] = {entry[0], entry[1]};
                }
        }
        if (sweep.points() == limits_.max_points) {
            double more = 0;
            if (scanner.read_reals(1, &more) != ReadStatus::END) {
                fail(ReadFailure::TOO_MANY_POINTS, scanner.line(),
                     "at most " + std::to_string(limits_.max_points) + " frequency points");
                return;
            }
        }
        result_.ok = true;
    }

    std::streambuf* buffer_;
    ReadLimits limits_;
    SweepReading result_;
};

}  // namespace

SweepReading read_free_format(std::istream& in, const std::string& shown_name, const ReadLimits& limits) {
    return FreeFormatReader(in, shown_name, limits).read();
}

}  // namespace portfiles
