#pragma once

// The real content sources with one text replaced in one file, compiled: the
// compiler's refusal, or "" when it took them.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "../core/temp_folder.h"
#include "tools/content/compile.h"
#include "tools/content/toml_fields.h"

namespace qvr::test {

inline std::string CompileEdited(const std::string& file, const std::string& from,
                                 const std::string& to)
{
    const std::filesystem::path sources = std::filesystem::path(QVR_SOURCE_DIR) / "data/content";
    TempFolder dir;
    std::filesystem::copy(sources, dir.path(), std::filesystem::copy_options::recursive);
    std::stringstream s;
    s << std::ifstream(dir.path() / file, std::ios::binary).rdbuf();
    std::string text = s.str();
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at == std::string::npos)
        return "";
    text.replace(at, from.size(), to);
    std::ofstream(dir.path() / file, std::ios::binary) << text;
    try {
        content::CompileContent(dir.path(),
                                std::filesystem::path(QVR_SOURCE_DIR) / "data/messages.toml");
    } catch (const content::SourceError& e) {
        return e.what();
    }
    return "";
}

} // namespace qvr::test
