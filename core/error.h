#pragma once

#include <stdexcept>
#include <string>

namespace qvr {

// Every failure the engine reports to its caller: a bad file, an index past a
// table's bounds, a value no rule allows. The text is meant for the player or
// the developer as it stands.
class GameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A table was indexed outside its declared bounds.
class IndexError : public GameError {
public:
    using GameError::GameError;
};

} // namespace qvr
