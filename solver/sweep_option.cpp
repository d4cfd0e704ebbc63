#include "sweep_option.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "sweep_points.h"

namespace solver {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

// A finite number in 32 bits taking the whole field.
bool parse_real(std::string_view field, float& value) {
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    double d = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), d);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size()) return false;
    value = static_cast<float>(d);
    return std::isfinite(value);
}

bool parse_integer(std::string_view field, std::int64_t& value) {
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && ec == std::errc() && end == field.data() + field.size();
}

std::string quoted(std::string_view field) { return "\"" + std::string(field) + "\""; }

}  // namespace

std::optional<FrequencySweep> parse_sweep_option(std::string_view text, std::string& error) {
    const std::vector<std::string_view> parts = split(text, ':');
    const bool logarithmic = parts[0] == "log";
    if (parts.size() != 4 || (!logarithmic && parts[0] != "lin")) {
        error = "expected " + std::string(SWEEP_OPTION_FORMS) + ", found " + quoted(text);
        return std::nullopt;
    }
    float start = 0, second = 0;
    std::int64_t count = 0;
    const char* second_name = logarithmic ? "STOP" : "STEP";
    const char* count_name = logarithmic ? "POINTS" : "STEPS";
    if (!parse_real(parts[1], start)) {
        error = "expected a number for START, found " + quoted(parts[1]);
        return std::nullopt;
    }
    if (!parse_real(parts[2], second)) {
        error = std::string("expected a number for ") + second_name + ", found " + quoted(parts[2]);
        return std::nullopt;
    }
    if (!parse_integer(parts[3], count)) {
        error = std::string("expected a whole number for ") + count_name + ", found " + quoted(parts[3]);
        return std::nullopt;
    }

    FrequencySweep sweep;
    if (logarithmic) {
        if (!(start > 0)) {
            error = "expected START greater than 0, found " + quoted(parts[1]);
            return std::nullopt;
        }
        if (!(second > start)) {
            error = "expected STOP greater than START, found " + quoted(parts[2]);
            return std::nullopt;
        }
        if (count < 2 || count > MAX_FREQUENCY_STEPS + 1) {
            error = "expected POINTS from 2 to " + std::to_string(MAX_FREQUENCY_STEPS + 1) + ", found " +
                    quoted(parts[3]);
            return std::nullopt;
        }
        sweep = logarithmic_sweep(start, second, static_cast<std::int32_t>(count));
    } else {
        sweep = repaired_linear_sweep(start, second, count);
    }
    if (!angular_frequencies_finite(sweep)) {
        error = "expected a sweep whose last angular frequency (2 pi f) is finite in 32 bits, found " +
                quoted(text);
        return std::nullopt;
    }
    return sweep;
}

}  // namespace solver
