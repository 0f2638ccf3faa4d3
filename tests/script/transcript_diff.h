#pragma once

#include <string>

namespace qvr::test {

// The lines that differ between two transcripts, each with a line or two of
// context: "-" for expected lines missing, "+" for lines written instead.
std::string TranscriptDiff(const std::string& expected, const std::string& actual);

} // namespace qvr::test
