#pragma once
// Counts as a Polish reader writes them: groups of three digits apart, "22 235".

#include <QString>
#include <cstdint>

inline QString GroupedNumber(std::int64_t n) {
    QString digits = QString::number(n < 0 ? -n : n);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, ' ');
    return n < 0 ? "-" + digits : digits;
}
