#include "tests/script/transcript_diff.h"

#include <sstream>
#include <vector>

namespace qvr::test {

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

} // namespace

std::string TranscriptDiff(const std::string& expected, const std::string& actual)
{
    std::vector<std::string> a = lines(expected), b = lines(actual);
    // Longest common subsequence; transcripts are a few hundred lines.
    std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            lcs[i][j] =
                a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);

    struct Line {
        char mark;
        std::string text;
    };
    std::vector<Line> all;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[i] == b[j]) {
            all.push_back({' ', a[i++]});
            ++j;
        } else if (i < n && (j == m || lcs[i + 1][j] >= lcs[i][j + 1])) {
            all.push_back({'-', a[i++]});
        } else {
            all.push_back({'+', b[j++]});
        }
    }
    constexpr std::size_t kContext = 2;
    std::string out;
    std::size_t lastShown = all.size();
    for (std::size_t k = 0; k < all.size(); ++k) {
        bool near = false;
        for (std::size_t d = k >= kContext ? k - kContext : 0;
             d < all.size() && d <= k + kContext && !near; ++d)
            near = all[d].mark != ' ';
        if (!near)
            continue;
        if (lastShown != all.size() && k > lastShown + 1)
            out += "...\n";
        out += std::string(1, all[k].mark) + ' ' + all[k].text + '\n';
        lastShown = k;
    }
    if (out.empty())
        out = "(the transcripts differ only in their line ends)\n";
    return out;
}

} // namespace qvr::test
