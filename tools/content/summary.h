#pragma once

// Readable summaries of the two data files, for designers checking what the
// compiler built and for anyone looking into a player's save. Each is a TOML
// document: the counts are comments, and every record in use follows as a
// table with all its fields, keyed as the content sources key them.

#include <string>

#include "core/records.h"

namespace qvr::content {

std::string SummariseContent(const Content& content);
std::string SummariseSave(const SaveData& save);

} // namespace qvr::content
