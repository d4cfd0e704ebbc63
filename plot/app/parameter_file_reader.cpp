#include "parameter_file_reader.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "free_format_number.h"
#include "frequency_spacing.h"

namespace {

// Lines per block beyond the first two that the first pass looks at.
constexpr int PORT_SEARCH_LINES = 46;
// A number field longer than this is not a number of this file.
constexpr int MAX_FIELD_LENGTH = 48;
// Bytes a pass reads at most: four times a file of 9 ports and 10 000
// points, so that an input without end (/dev/zero) ends as a read error.
constexpr long MAX_FILE_BYTES = 64L << 20;

enum class ReadStatus { OK, END, ERROR };

// Byte-wise reading with the free-format rules: numbers are separated by
// blanks, tabs or commas; a read of one or more numbers starts on a new
// line, skips lines that hold no number, and drops the rest of the line of
// its last number. Nothing but the current number field is kept in memory.
class FreeFormatReader {
public:
    explicit FreeFormatReader(std::FILE* file) : file_(file) {}

    int line() const { return line_; }
    // True once the pass has read MAX_FILE_BYTES: it then reads as ended.
    bool too_long() const { return bytes_ > MAX_FILE_BYTES; }

    // Reads count numbers into values.
    ReadStatus read_reals(int count, float* values) {
        for (int n = 0; n < count; ++n) {
            std::string field;
            if (!next_field(field)) return n == 0 ? ReadStatus::END : ReadStatus::ERROR;
            if (!parse_real(field, values[n])) return ReadStatus::ERROR;
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

    int get() { return ++bytes_ > MAX_FILE_BYTES ? EOF : std::getc(file_); }

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
        if (c == '\n') std::ungetc(c, file_);
        if (too_long) field.assign(1, '?');  // never a number
        return true;
    }

    // A plain decimal real (the shared scanner's syntax) whose 64-bit value
    // lies within the 32-bit range; it is then rounded to 32 bits.
    static bool parse_real(const std::string& field, float& value) {
        double d = 0;
        if (!portfiles::parse_real(field, d) || std::fabs(d) > FLT_MAX) return false;
        value = static_cast<float>(d);  // an underflow reads as (nearly) zero
        return true;
    }

    std::FILE* file_;
    int line_ = 1;
    long bytes_ = 0;
};

struct FileCloser {
    std::FILE* file;
    ~FileCloser() {
        if (file) std::fclose(file);
    }
};

ParameterFileResult read_error(ParameterFileResult result, int line, std::string expected) {
    result.status = ParameterFileStatus::READ_ERROR;
    result.line = line;
    result.diagnostic = "expected " + std::move(expected);
    return result;
}

// First pass: the start frequency and the port count from the first block.
ParameterFileResult find_port_count(std::FILE* file) {
    ParameterFileResult result;
    FreeFormatReader reader(file);
    float start = 0;
    if (reader.read_reals(1, &start) != ReadStatus::OK)
        return read_error(result, reader.line(), "the frequency of the first block");
    result.start_frequency = start;
    bool blank = false;
    for (int n = 0; n < 2; ++n)
        if (reader.read_line(blank) != ReadStatus::OK)
            return read_error(result, reader.line(), "the entries of the first block");
    int entry_lines = 0;
    for (int m = 1; m <= PORT_SEARCH_LINES; ++m) {
        if (reader.read_line(blank) != ReadStatus::OK)
            return read_error(result, reader.line(), "the empty line that ends the first block");
        if (blank) {
            entry_lines = m;
            break;
        }
    }
    if (entry_lines == 0) {
        result.status = ParameterFileStatus::TOO_MANY_PORTS;
        return result;
    }
    for (int n = 1; n <= MAX_PORTS; ++n)
        if (n * (n + 1) / 2 == entry_lines) result.port_count = n;
    if (result.port_count == 0)
        return read_error(result, reader.line() - 1,
                          "P(P+1)/2 entry lines in the first block, found " +
                              std::to_string(entry_lines));
    result.status = ParameterFileStatus::LOADED;
    return result;
}

}  // namespace

ParameterFileResult read_parameter_file(const std::string& path, ParameterData& data) {
    FileCloser file{std::fopen(path.c_str(), "rb")};
    if (!file.file) return ParameterFileResult{};
    return read_parameter_stream(file.file, data);
}

ParameterFileResult read_parameter_stream(std::FILE* file, ParameterData& data) {
    std::rewind(file);
    ParameterFileResult result = find_port_count(file);
    if (result.status != ParameterFileStatus::LOADED) return result;
    std::rewind(file);
    FreeFormatReader reader(file);
    const int n = result.port_count;
    int blocks = 0;
    for (int k = 0; k < MAX_FREQUENCY_POINTS; ++k) {
        float frequency = 0;
        ReadStatus status = reader.read_reals(1, &frequency);
        if (status == ReadStatus::END && reader.too_long())
            return read_error(result, reader.line(), "a file of at most " + std::to_string(MAX_FILE_BYTES) + " bytes");
        if (status == ReadStatus::END) break;
        if (status == ReadStatus::ERROR)
            return read_error(result, reader.line(), "a frequency (a real number)");
        data.f[k] = frequency;
        for (int r = 0; r < n; ++r) {
            for (int c = 0; c <= r; ++c) {
                float entry[2];
                if (reader.read_reals(2, entry) != ReadStatus::OK)
                    return read_error(result, reader.line(),
                                      "the real and imaginary part of entry (" +
                                          std::to_string(r + 1) + "," + std::to_string(c + 1) +
                                          ") of block " + std::to_string(k + 1));
                data.re[r][c][k] = data.re[c][r][k] = entry[0];
                data.im[r][c][k] = data.im[c][r][k] = entry[1];
            }
        }
        ++blocks;
    }
    result.steps = blocks - 1;
    if (result.steps < 1) {
        result.status = ParameterFileStatus::NOTHING_TO_PLOT;
        return result;
    }
    // An even sweep shows the stop its step gives; any other list (a
    // logarithmic sweep, measured data) its last frequency.
    if (frequency_spacing(data.f.data(), blocks).kind == SpacingKind::EVEN)
        result.stop_frequency =
            result.start_frequency + static_cast<float>(result.steps) * (data.f[1] - data.f[0]);
    else
        result.stop_frequency = data.f[static_cast<std::size_t>(result.steps)];
    if (!std::isfinite(result.stop_frequency))
        return read_error(result, 1, "frequencies whose sweep stays within the real range");
    result.status = ParameterFileStatus::LOADED;
    return result;
}
