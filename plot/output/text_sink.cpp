#include "text_sink.h"

void TextSink::write(std::string_view text) {
    if (!ok_) return;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out_) ok_ = false;
}

void TextSink::end_line() { write("\n"); }

std::string fixed_text(const std::string& text, int length) {
    std::string result = text.substr(0, static_cast<std::size_t>(length));
    result.resize(static_cast<std::size_t>(length), ' ');
    return result;
}

