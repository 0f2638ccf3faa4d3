// Painting the maze view against a bare paint of the same image, in turns.
//
//   qvr-bench-maze-paint [--runs N] [--width W] [--height H] [--at FLOOR,X,Y,FACING]
//                        [--png FILE --size PIXELS]
//
// The view is the busiest one of the built content's floors (the most
// primitives over every cell and facing), or of a floor made here with
// walls, doors, a hidden door and darkness while the content's floors are
// still empty. Paint: PaintDrawing into a W x H image (1920 x 1080) with a
// fresh painter, as a paint event does, against filling the same image black
// and drawing one line. Build: BuildMazeView alone against copying its
// result. --at takes that view instead; --png also writes the view at
// PIXELS x PIXELS, for looking at.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_support.h"
#include "core/data_files.h"
#include "core/game.h"
#include "core/records.h"
#include "maze/view.h"
#include "ui/fonts.h"
#include "ui/maze_view.h"

using namespace qvr;
using namespace qvr::bench;

namespace {

struct ViewPlace {
    int floor = 1, x = 0, y = 0, facing = 0;
    std::size_t items = 0;
};

// Walls come in pairs: a cell's east side is its neighbour's west side.
void Wall(Content& c, int floor, int x, int y, int side, bool door = false, bool wall = true)
{
    static constexpr int dx[] = {0, 1, 0, -1}, dy[] = {-1, 0, 1, 0};
    int nx = (x + dx[side] + kMazeSize) % kMazeSize, ny = (y + dy[side] + kMazeSize) % kMazeSize;
    int bit = 1 << side, back = 1 << ((side + 2) % 4);
    if (wall) {
        c.mazeWalls(floor, y, x) = static_cast<int16_t>(c.mazeWalls(floor, y, x) | bit);
        c.mazeWalls(floor, ny, nx) = static_cast<int16_t>(c.mazeWalls(floor, ny, nx) | back);
    }
    if (door) {
        c.mazeDoors(floor, y, x) = static_cast<int16_t>(c.mazeDoors(floor, y, x) | bit);
        c.mazeDoors(floor, ny, nx) = static_cast<int16_t>(c.mazeDoors(floor, ny, nx) | back);
    }
}

// Corridors along every other row and every fourth column, rock between
// them, doors across the corridors now and then, one hidden door and a dark
// patch, on floor 1.
void SyntheticFloor(Content& c)
{
    auto open = [](int x, int y) {
        x = (x + kMazeSize) % kMazeSize;
        y = (y + kMazeSize) % kMazeSize;
        return y % 2 == 0 || x % 4 == 0;
    };
    for (int y = 0; y < kMazeSize; ++y)
        for (int x = 0; x < kMazeSize; ++x) {
            if (open(x, y) != open(x + 1, y))
                Wall(c, 1, x, y, 1);
            if (open(x, y) != open(x, y + 1))
                Wall(c, 1, x, y, 2);
            if (open(x, y) && open(x + 1, y) && y % 4 == 0 && x % 8 == 5)
                Wall(c, 1, x, y, 1, true);
        }
    Wall(c, 1, 8, 3, 2, true, false);
    for (int y = 9; y <= 10; ++y)
        for (int x = 9; x <= 10; ++x)
            c.mazeCells(1, y, x) = 1;
}

ViewPlace Busiest(const Content& c)
{
    ViewPlace best;
    for (int floor = 1; floor < kFloorCount; ++floor)
        for (int y = 0; y < kMazeSize; ++y)
            for (int x = 0; x < kMazeSize; ++x)
                for (int facing = 0; facing < 4; ++facing) {
                    std::size_t n = BuildMazeView(c, floor, x, y, facing).size();
                    if (n > best.items)
                        best = {floor, x, y, facing, n};
                }
    return best;
}

std::shared_ptr<const Content> BuiltContent()
{
    std::filesystem::path path = ProgramFolder() / kContentFileName;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    return DecodeContent(bytes, kContentFileName);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        int runs = RunsOption(argc, argv, 501);
        int width = std::stoi(StringOption(argc, argv, "--width", "1920"));
        int height = std::stoi(StringOption(argc, argv, "--height", "1080"));

        std::shared_ptr<const Content> content = BuiltContent();
        std::string source = "the built content";
        ViewPlace place = content ? Busiest(*content) : ViewPlace{};
        // A view of nothing but the black surface: the floors are still empty.
        if (place.items <= 1) {
            auto own = std::make_shared<Content>();
            SyntheticFloor(*own);
            content = own;
            place = Busiest(*content);
            source = "a synthetic floor";
        }
        std::string at = StringOption(argc, argv, "--at", "");
        if (!at.empty() && std::sscanf(at.c_str(), "%d,%d,%d,%d", &place.floor, &place.x, &place.y,
                                       &place.facing) != 4)
            throw std::runtime_error("--at wants FLOOR,X,Y,FACING");
        std::vector<DrawItem> items =
            BuildMazeView(*content, place.floor, place.x, place.y, place.facing);
        std::printf("view of %s: floor %d, x %d, y %d, facing %d: %zu primitives\n", source.c_str(),
                    place.floor, place.x, place.y, place.facing, items.size());

        std::string png = StringOption(argc, argv, "--png", "");
        if (!png.empty()) {
            int side = std::stoi(StringOption(argc, argv, "--size", "440"));
            QImage shot(side, side, QImage::Format_RGB32);
            QPainter painter(&shot);
            PaintDrawing(painter, shot.rect(), items, GameFont(FontPixelsForScale(side / 220.0)));
            painter.end();
            if (!shot.save(QString::fromStdString(png)))
                throw std::runtime_error("cannot write " + png);
        }

        QImage image(width, height, QImage::Format_RGB32);
        QFont font = GameFont(FontPixelsForScale(height / 220.0));
        Comparison paint{"paint (ms)", {}, {}};
        Comparison build{"build (us)", {}, {}};
        std::size_t sink = 0;
        for (int i = 0; i < runs; ++i) {
            int64_t start = MonotonicNs();
            {
                QPainter painter(&image);
                painter.fillRect(image.rect(), Qt::black);
                painter.setPen(Qt::white);
                painter.drawLine(0, height / 2, width - 1, height / 2);
            }
            paint.baseline.push_back(MsSince(start));
            start = MonotonicNs();
            {
                QPainter painter(&image);
                PaintDrawing(painter, image.rect(), items, font);
            }
            paint.subject.push_back(MsSince(start));

            start = MonotonicNs();
            std::vector<DrawItem> copy = items;
            build.baseline.push_back(MsSince(start) * 1000);
            sink += copy.size();
            start = MonotonicNs();
            std::vector<DrawItem> built =
                BuildMazeView(*content, place.floor, place.x, place.y, place.facing);
            build.subject.push_back(MsSince(start) * 1000);
            sink += built.size();
        }
        PrintComparisons("maze view at " + std::to_string(width) + " x " + std::to_string(height) +
                             ", " + std::to_string(runs) +
                             " runs: fill + one line / copy of the list vs the view",
                         {paint, build});
        double median = Median(paint.subject);
        std::printf("paint goal at most 4 ms: %s (%.2f ms)\n", median <= 4.0 ? "met" : "NOT met",
                    median);
        return sink > 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qvr-bench-maze-paint: %s\n", e.what());
        return 1;
    }
}
