#pragma once

// The data files the build compiled into its bin/ folder, for the tests that
// want the game's real texts and events.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace qvr::test {

inline std::vector<uint8_t> BuiltFile(const std::string& name)
{
    const std::filesystem::path path = std::filesystem::path(QVR_BIN_DIR) / name;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("the build has no " + path.string());
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace qvr::test
