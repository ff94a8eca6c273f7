#include "ui/print_queue.h"

#ifdef KOMBINATOR_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

const char* const NotSent = " Wydruk nie został wysłany do drukarki.";

#ifdef KOMBINATOR_HAVE_CUPS
bool SchedulerAnswers() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http) return false;
    httpClose(http);
    return true;
}

QString SchedulerDown() { return QString("System drukowania (CUPS) nie odpowiada.") + NotSent; }
#endif

}  // namespace

QString PrintQueueProblem(const QString& queue) {
#ifdef KOMBINATOR_HAVE_CUPS
    if (queue.isEmpty()) return QString();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toLocal8Bit().constData(), nullptr);
    if (!dest) {
        if (!SchedulerAnswers()) return SchedulerDown();
        return QString("Drukarka „%1” nie istnieje.").arg(queue) + NotSent;
    }
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting && QByteArray(accepting) == "false";
    cupsFreeDests(1, dest);
    if (refuses) return QString("Drukarka „%1” nie przyjmuje zadań.").arg(queue) + NotSent;
#else
    (void)queue;
#endif
    return QString();
}

QString PrintSubmissionProblem(const QString& queue) {
#ifdef KOMBINATOR_HAVE_CUPS
    // The print engine submits the job through the same library and ignores the answer; the
    // library keeps the last answer of this thread.
    if (queue.isEmpty() || cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return QString();
    if (!SchedulerAnswers()) return SchedulerDown();
    return QString("Drukarka „%1” odrzuciła wydruk: %2.").arg(queue, QString::fromLocal8Bit(cupsLastErrorString())) +
           NotSent;
#else
    (void)queue;
    return QString();
#endif
}
