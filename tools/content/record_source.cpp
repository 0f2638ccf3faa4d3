#include "tools/content/record_source.h"

#include <cmath>
#include <limits>

namespace qvr::content {

void FieldSourceReader::operator()(const Field& field, float& v)
{
    if (!use(field))
        return;
    double lo = field.isRanged() ? field.lo<long>() : std::numeric_limits<double>::lowest();
    double hi = field.isRanged() ? field.hi<long>() : std::numeric_limits<double>::max();
    std::optional<double> got = f_.real(field.key(), lo, hi, need(field));
    if (!got)
        return;
    // Checked once narrowed: the shortest text of the largest value reads as
    // a double just above it.
    auto narrowed = static_cast<float>(*got);
    if (!std::isfinite(narrowed))
        f_.fail(field.key(), "is too large for a stored number");
    v = narrowed;
}

void FieldSourceReader::operator()(const Field& field, std::string& text)
{
    if (!use(field))
        return;
    if (auto got = f_.text(field.key(), field.maxTextBytes(), need(field)))
        text = *got;
}

void FieldSourceReader::operator()(const Field& field, DiceRef<Dice3> d)
{
    if (!use(field))
        return;
    auto got = f_.integers(field.key(), 3, field.lo<int16_t>(), field.hi<int16_t>(), need(field));
    if (!got)
        return;
    if ((*got)[0] < 0 || (*got)[1] < 0)
        f_.fail(field.key(), "count and sides cannot be negative");
    for (std::size_t k = 0; k < 3; ++k)
        d.dice[k] = static_cast<int16_t>((*got)[k]);
}

} // namespace qvr::content
