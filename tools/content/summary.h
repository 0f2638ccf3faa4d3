#pragma once

// Readable summaries of the two data files, for designers checking what the
// compiler built and for anyone looking into a player's save.

#include <string>

#include "core/records.h"

namespace qvr::content {

std::string SummariseContent(const Content& content);
std::string SummariseSave(const SaveData& save);

} // namespace qvr::content
