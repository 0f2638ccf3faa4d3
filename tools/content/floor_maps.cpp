#include <fstream>

#include "tools/content/maze_source.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

namespace {

constexpr int kWidth = 4 * kMazeSize + 1;  // characters of a drawn line
constexpr int kHeight = 2 * kMazeSize + 1; // drawn lines of a floor
constexpr int16_t kNorth = 1, kEast = 2, kSouth = 4, kWest = 8;

[[noreturn]] void mapFail(const std::string& file, int line, const std::string& what)
{
    throw SourceError(file + ":" + std::to_string(line) + ": " + what);
}

struct Side {
    bool wall = false;
    bool door = false;
};

// One side as drawn: blank is open, a wall glyph is a wall, D a door in its
// wall, H a hidden door (a door without its wall, drawn like a wall).
Side readSide(char c, char wallGlyph, const std::string& file, int line)
{
    if (c == ' ')
        return {};
    if (c == wallGlyph)
        return {true, false};
    if (c == 'D')
        return {true, true};
    if (c == 'H')
        return {false, true};
    mapFail(file, line, std::string("unknown side '") + c + "' (blank, " + wallGlyph + ", D or H)");
}

} // namespace

void ReadFloorMap(const std::filesystem::path& path, Content& content, MapPlaces& places)
{
    const std::string file = path.string();
    std::ifstream in(path);
    if (!in)
        throw SourceError(file + ": cannot be read");
    std::vector<std::string> grid;
    int floor = -1, firstLine = 0, lineNo = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (grid.empty() && (line.empty() || line[0] == ';'))
            continue;
        if (floor < 0) {
            if (line.rfind("floor ", 0) != 0)
                mapFail(file, lineNo, "the map must begin with \"floor N\"");
            floor = std::atoi(line.c_str() + 6);
            if (floor < 0 || floor >= kFloorCount ||
                line.find_first_not_of("0123456789", 6) != std::string::npos)
                mapFail(file, lineNo, "the floor must be a number 0..17");
            if (!places.file[floor].empty())
                mapFail(file, lineNo, "floor " + std::to_string(floor) + " is drawn twice");
            continue;
        }
        if (static_cast<int>(grid.size()) == kHeight) {
            if (!line.empty() && line[0] != ';')
                mapFail(file, lineNo, "text after the map (comments begin with ';')");
            continue;
        }
        if (static_cast<int>(line.size()) != kWidth)
            mapFail(file, lineNo,
                    "a map line is " + std::to_string(kWidth) + " characters, not " +
                        std::to_string(line.size()));
        if (grid.empty())
            firstLine = lineNo;
        grid.push_back(line);
    }
    if (floor < 0 || static_cast<int>(grid.size()) != kHeight)
        mapFail(file, lineNo,
                "the map needs \"floor N\" and " + std::to_string(kHeight) + " lines");
    places.file[floor] = file;
    places.firstLine[floor] = firstLine;

    for (int y = 0; y < kMazeSize; ++y) {
        for (int x = 0; x < kMazeSize; ++x) {
            const int row = 2 * y + 1, col = 4 * x + 1, line = firstLine + row;
            const Side sides[4] = {
                readSide(grid[row - 1][col + 1], '-', file, line - 1),
                readSide(grid[row][col + 3], '|', file, line),
                readSide(grid[row + 1][col + 1], '-', file, line + 1),
                readSide(grid[row][col - 1], '|', file, line),
            };
            int16_t walls = 0, doors = 0;
            for (int d = 0; d < 4; ++d) {
                walls |= sides[d].wall ? 1 << d : 0;
                doors |= sides[d].door ? 1 << d : 0;
            }
            int16_t cells = 0;
            bool rockMark = false;
            for (int i = 0; i < 3; ++i) {
                switch (grid[row][col + i]) {
                case ' ':
                case '.':
                    break;
                case 'd':
                    cells |= 1;
                    break;
                case 'n':
                    cells |= 2;
                    break;
                case '#':
                    rockMark = true;
                    break;
                default:
                    mapFail(file, line,
                            "cell (" + std::to_string(x) + ", " + std::to_string(y) +
                                "): unknown mark '" + grid[row][col + i] +
                                "' (d dark, n no teleport, # rock)");
                }
            }
            const bool rock = walls == (kNorth | kEast | kSouth | kWest) && doors == 0;
            if (rockMark && !rock)
                mapFail(file, line,
                        "cell (" + std::to_string(x) + ", " + std::to_string(y) +
                            ") is marked as rock but has an open side or a door");
            // Teleports never land in rock: a party sent there would be lost.
            if (rock)
                cells |= 2;
            content.mazeWalls(floor, y, x) = walls;
            content.mazeDoors(floor, y, x) = doors;
            content.mazeCells(floor, y, x) = cells;
        }
    }
}

} // namespace qvr::content
