#include "core/save_store.h"

#include <cstdlib>

namespace qvr {

std::filesystem::path ResolveGameFolder(const std::string& commandLineDir)
{
    if (!commandLineDir.empty())
        return std::filesystem::absolute(commandLineDir);
    if (const char* home = std::getenv("QVR_HOME"); home && *home)
        return std::filesystem::absolute(home);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return exe.parent_path();
}

} // namespace qvr
