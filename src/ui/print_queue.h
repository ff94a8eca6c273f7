#pragma once
// What the print system (CUPS) says of a queue: asked before a job starts and right after it
// was handed over, so a refused job is reported instead of passing for printed coupons.

#include <QString>

// Empty when `queue` exists and accepts jobs; otherwise a Polish sentence saying why not.
QString PrintQueueProblem(const QString& queue);
// Empty when the job just handed to `queue` was taken by the scheduler; otherwise why not.
QString PrintSubmissionProblem(const QString& queue);
