// Fuzz target: the lines of a poked text.  No line holds a line break, and
// joining the lines with LF gives the text with every line break made an LF
// and a final break dropped.
#include "publication.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::string expected;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        expected += text[i] == '\r' ? '\n' : text[i];
    }
    if (!expected.empty() && expected.back() == '\n') expected.pop_back();
    std::string joined;
    const auto lines = zenlume::SplitPokedText(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find_first_of("\r\n") != std::string::npos) std::abort();
        joined += (i ? "\n" : "") + lines[i];
    }
    if (joined != expected) std::abort();
    return 0;
}
